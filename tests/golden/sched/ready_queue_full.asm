; --fibers=3 gives a ready queue of 4. With Main and three fibers queued, a timer
; due at that pass finds the queue full: its callback is dropped with a warning
; (no fiber is current). A running fiber that queues past the capacity gets
; "VM has run out of fibers" (code 18).
; run: --fibers=3
; expect-stderr: Warning: Note: max fibers 3 rounded up to 4 (must be a power of two)
; expect-stderr: Warning: Ready queue full (4 fibers); dropped a detached callback
; expect-stdout: first: ready fibers true
; expect-stdout: caught 18 VM has run out of fibers
; expect-stdout: timer active after it fired: false
.main
    .const $main function "Main" locals=2
        .const $idle function "Idle"
            return_nil
        .end
        .const $tick function "Tick"
            load_const "timer callback ran (wrong)"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $first function "First"
            .const $idle function "Idle"
                return_nil
            .end
            load_const "first: ready fibers "
            call_builtin_0 Scheduler.HasReadyFibers
            call_builtin_2 Console.WriteLine
            pop
            try_begin catch 0 finally
            make_function $idle
            call_builtin_1 Fiber.New
            call_builtin_1 Scheduler.Schedule
            pop
            make_function $idle
            call_builtin_1 Fiber.New
            call_builtin_1 Scheduler.Schedule
            pop
            try_end
        catch:
            catch_store
            load_const "caught "
            get_local_0
            get_property "Code"
            load_const " "
            get_local_0
            get_property "Error"
            call_builtin_4 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        push_i8 0
        make_function $tick
        call_builtin_2 Timers.SetTimeout
        set_local_1
        make_function $first
        call_builtin_1 Fiber.New
        call_builtin_1 Scheduler.Schedule
        pop
        make_function $idle
        call_builtin_1 Fiber.New
        call_builtin_1 Scheduler.Schedule
        pop
        make_function $idle
        call_builtin_1 Fiber.New
        call_builtin_1 Scheduler.Schedule
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        load_const "timer active after it fired: "
        get_local_1
        call_builtin_1 Timers.IsActive
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
