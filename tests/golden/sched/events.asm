; Event.WaitOne with a time-out resumes with nil and frees the event (Create hands
; out the same id again). Two fibers waiting on one event both receive the value
; of a single Set; the event is freed after the second has taken it. WaitFor
; delivers an array in id order once every event is set; [] gives an empty array
; at once, ids out of range raise code 4 and non-integers code 3. Set on a free
; event raises code 3. A program whose Main has returned stays alive while a fiber
; waits for an event that a timer sets later.
; expect-stdout: timed out: nil, id again: true
; expect-stdout: A got shared
; expect-stdout: B got shared
; expect-stdout: after both: reused id true
; expect-stdout: wait for: [one, nil, three]
; expect-stdout: empty: []
; expect-stdout: [1, 64]: 4 Index out of bounds
; expect-stdout: [x]: 3 Invalid argument(s) - type or length mismatch
; expect-stdout: set free: 3 Invalid argument(s) - type or length mismatch
; expect-stdout: main returns
; expect-stdout: late waiter got from timer
.main
    .const $main function "Main" locals=3
        .const $waiter function "Waiter" params=1 locals=2
            .function_flags 1
            get_global "E"
            call_builtin_1 Event.WaitOne
            set_local_1
            get_local_0
            load_const " got "
            get_local_1
            call_builtin_3 Console.WriteLine
            return_nil
        .end
        .const $late function "Late"
            load_const "late waiter got "
            get_global "E"
            call_builtin_1 Event.WaitOne
            call_builtin_2 Console.WriteLine
            return_nil
        .end
        .const $setter function "Setter"
            get_global "E"
            load_const "from timer"
            call_builtin_2 Event.Set
            return
        .end
        ; Try(f): prints "code message" of what f raises
        .const $try function "Try" params=2
            try_begin catch 2 finally
            get_local_1
            call 0
            pop
            try_end
        catch:
            catch_store
            get_local_0
            get_local_2
            get_property "Code"
            load_const " "
            get_local_2
            get_property "Error"
            call_builtin_4 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        .const $range function "Range"
            .const $ids array
                int 1
                int 64
            .end
            load_const $ids
            call_builtin_1 Event.WaitFor
            return
        .end
        .const $nonint function "NonInt"
            .const $ids array
                string "x"
            .end
            load_const $ids
            call_builtin_1 Event.WaitFor
            return
        .end
        .const $setfree function "SetFree"
            push_i8 40
            call_builtin_1 Event.Set
            return
        .end
        ; time-out
        call_builtin_0 Event.Create
        set_local_0
        load_const "timed out: "
        get_local_0
        push_i8 20
        call_builtin_2 Event.WaitOne
        load_const ", id again: "
        call_builtin_0 Event.Create
        get_local_0
        eq
        call_builtin_4 Console.WriteLine
        pop
        ; two waiters, one Set
        get_local_0
        set_global "E"
        load_const "A"
        make_function $waiter
        call 1
        set_local_1
        get_local_1
        call_builtin_1 Scheduler.Schedule
        pop
        load_const "B"
        make_function $waiter
        call 1
        set_local_2
        get_local_2
        call_builtin_1 Scheduler.Schedule
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        get_local_0
        load_const "shared"
        call_builtin_2 Event.Set
        pop
        get_local_1
        await
        pop
        get_local_2
        await
        pop
        load_const "after both: reused id "
        call_builtin_0 Event.Create
        get_local_0
        eq
        call_builtin_2 Console.WriteLine
        pop
        ; WaitFor: ids 1, 2 and 3 (0 is still allocated), set out of order, 2
        ; without a value
        call_builtin_0 Event.Create
        pop
        call_builtin_0 Event.Create
        pop
        call_builtin_0 Event.Create
        pop
        push_i8 3
        load_const "three"
        call_builtin_2 Event.Set
        pop
        push_i8 1
        load_const "one"
        call_builtin_2 Event.Set
        pop
        push_i8 2
        call_builtin_1 Event.Set
        pop
        load_const "wait for: "
        push_i8 2
        push_i8 3
        push_i8 1
        build_array 3 0
        call_builtin_1 Event.WaitFor
        call_builtin_2 Console.WriteLine
        pop
        load_const "empty: "
        build_array 0 0
        call_builtin_1 Event.WaitFor
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1, 64]: "
        make_function $range
        make_function $try
        call 2
        pop
        load_const "[x]: "
        make_function $nonint
        make_function $try
        call 2
        pop
        load_const "set free: "
        make_function $setfree
        make_function $try
        call 2
        pop
        ; kept alive after Main returns (event 0 freed: an allocated event alone
        ; would keep the program running for ever)
        push_i8 0
        call_builtin_1 Event.Free
        pop
        call_builtin_0 Event.Create
        set_global "E"
        make_function $late
        call_builtin_1 Fiber.Run
        pop
        push_i8 20
        make_function $setter
        call_builtin_2 Timers.SetTimeout
        pop
        load_const "main returns"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    push_nil
    define_global "E"
    return_nil
.end
