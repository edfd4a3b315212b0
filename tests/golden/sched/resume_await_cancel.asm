; Awaited Fiber.Resume receives each yielded value and then the return value; a
; finished fiber resumes to nil. Awaiting a fiber that finished on its own gives
; its return value once, then nil; a Fiber.Run fiber keeps none. Calling an
; asynchronous function gives a new fiber that awaiting starts. Cancelling a
; fiber finishes it, and a fiber awaiting it resumes with nil. A fiber cannot
; await itself. No other fiber runs during the top-level code: a sleep there ends
; at once with nil.
; expect-stdout: resume: 1 2 3 nil done=true
; expect-stdout: await finished: 42 then nil
; expect-stdout: run id is int: true, await run fiber: nil
; expect-stdout: async: status 0, result 15
; expect-stdout: cancel: true false status 3
; expect-stdout: awaiting a fiber cancelled meanwhile: nil
; expect-stdout: self await: Invalid argument(s) - type or length mismatch
; expect-stdout: top-level sleep: nil
.main
    .const $main function "Main" locals=3
        .const $gen function "Gen"
            push_one
            yield
            push_i8 2
            yield
            push_i8 3
            return
        .end
        .const $answer function "Answer"
            push_i8 42
            return
        .end
        .const $runner function "Runner"
            call_builtin_0 Fiber.Id
            call_builtin_1 Fiber.FromId
            set_global "R"
            push_i8 7
            return
        .end
        .const $add function "Add" params=2
            .function_flags 1
            get_local_0
            get_local_1
            add
            return
        .end
        .const $sleeper function "Sleeper"
            push_i16 10000
            call_builtin_1 Fiber.Sleep
            pop
            load_const "sleeper woke (wrong)"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $canceller function "Canceller"
            push_i8 0
            call_builtin_1 Fiber.Sleep
            pop
            get_global "S"
            call_builtin_1 Fiber.Cancel
            return
        .end
        .const $self function "Self"
            try_begin catch 0 finally
            call_builtin_0 Fiber.Id
            call_builtin_1 Fiber.FromId
            await
            try_end
        catch:
            catch_store
            load_const "self await: "
            get_local_0
            get_property "Error"
            call_builtin_2 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        ; awaited resume
        make_function $gen
        call_builtin_1 Fiber.New
        set_local_0
        load_const "resume:"
        call_builtin_1 Console.Write
        pop
        push_i8 0
        set_local_1
    again:
        cmp_jump_lc 1 lt 4 resumed
        load_const " "
        get_local_0
        call_builtin_1 Fiber.Resume
        call_builtin_2 Console.Write
        pop
        inc_local 1
        loop again
    resumed:
        load_const " done="
        get_local_0
        call_builtin_1 Fiber.IsDone
        call_builtin_2 Console.WriteLine
        pop
        ; a scheduled fiber keeps its result for one await
        make_function $answer
        call_builtin_1 Fiber.New
        set_local_0
        get_local_0
        call_builtin_1 Scheduler.Schedule
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        load_const "await finished: "
        get_local_0
        await
        load_const " then "
        get_local_0
        await
        call_builtin_4 Console.WriteLine
        pop
        ; Fiber.Run keeps no result
        make_function $runner
        call_builtin_1 Fiber.Run
        set_local_1
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        load_const "run id is int: "
        get_local_1
        call_builtin_1 Type.IsInt
        load_const ", await run fiber: "
        get_global "R"
        await
        call_builtin_4 Console.WriteLine
        pop
        ; asynchronous function
        push_i8 7
        push_i8 8
        make_function $add
        call 2
        set_local_0
        load_const "async: status "
        get_local_0
        call_builtin_1 Fiber.Status
        load_const ", result "
        get_local_0
        await
        call_builtin_4 Console.WriteLine
        pop
        ; cancellation
        make_function $sleeper
        call_builtin_1 Fiber.New
        set_local_0
        get_local_0
        call_builtin_1 Scheduler.Schedule
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        load_const "cancel: "
        call_builtin_1 Console.Write
        pop
        get_local_0
        call_builtin_1 Fiber.Cancel
        load_const " "
        get_local_0
        call_builtin_1 Fiber.Cancel
        load_const " status "
        get_local_0
        call_builtin_1 Fiber.Status
        call_builtin_5 Console.WriteLine
        pop
        ; awaited while another fiber cancels it
        make_function $sleeper
        call_builtin_1 Fiber.New
        set_global "S"
        make_function $canceller
        call_builtin_1 Fiber.New
        call_builtin_1 Scheduler.Schedule
        pop
        load_const "awaiting a fiber cancelled meanwhile: "
        get_global "S"
        await
        call_builtin_2 Console.WriteLine
        pop
        make_function $self
        call_builtin_1 Fiber.New
        await
        pop
        load_const "top-level sleep: "
        get_global "Top"
        call_builtin_2 Console.WriteLine
        return_nil
    .end
    push_nil
    define_global "R"
    push_nil
    define_global "S"
    push_i8 50
    call_builtin_1 Fiber.Sleep
    define_global "Top"
    return_nil
.end
