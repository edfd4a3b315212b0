; Closing a socket stream ends the operations armed on it at once, with nil and
; outcome 2: none of them may go on reading a descriptor number that the system
; can hand to the next socket (without that, the reader here would wait on the
; new socket until its time-out). A closed stream then refuses new operations.
; expect-stdout: closed: true
; expect-stdout: reader: nil outcome 2
; expect-stdout: after close: nil outcome 2
.main
    .const $main function "Main" locals=1
        .const $reader function "Reader" locals=1
            load_const "reader: "
            get_global "U"
            push_i8 0
            push_i16 300
            call_builtin_3 Stream.ReadAsync
            await
            load_const " outcome "
            call_builtin_0 Stream.LastError
            call_builtin_4 Console.WriteLine
            return_nil
        .end
        load_const "udp"
        push_i8 0
        call_builtin_2 Stream.Listen
        define_global "U"
        make_function $reader
        call_builtin_1 Fiber.New
        set_local_0
        get_local_0
        call_builtin_1 Scheduler.Schedule
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        load_const "closed: "
        get_global "U"
        call_builtin_1 Stream.Close
        call_builtin_2 Console.WriteLine
        pop
        ; the next socket most likely gets the closed one's number
        load_const "udp"
        push_i8 0
        call_builtin_2 Stream.Listen
        define_global "V"
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        load_const "after close: "
        get_global "U"
        call_builtin_1 Stream.ReadAsync
        await
        load_const " outcome "
        call_builtin_0 Stream.LastError
        call_builtin_4 Console.WriteLine
        return_nil
    .end
    return_nil
.end
