; VM.Exit while one fiber waits in a socket read and another for readability:
; the exit reports both pending operations, and releasing them leaves no
; leak (the --mem rerun).
; expect-stdout: exiting
; expect-stderr: Warning: There are 2 pending IO-operations upon exit
; expect-exit: 4
.main
    .const $main function "Main"
        .const $reader function "Reader"
            get_global "U"
            push_i8 100
            call_builtin_2 Stream.ReadAsync
            await
            return_nil
        .end
        .const $waiter function "Waiter"
            get_global "U"
            call_builtin_1 Stream.WaitReadable
            return_nil
        .end
        load_const "udp"
        push_i8 0
        call_builtin_2 Stream.Listen
        define_global "U"
        make_function $reader
        call_builtin_1 Fiber.Run
        pop
        make_function $waiter
        call_builtin_1 Fiber.Run
        pop
        push_i8 20
        call_builtin_1 Fiber.Sleep
        pop
        load_const "exiting"
        call_builtin_1 Console.WriteLine
        pop
        push_i8 4
        call_builtin_1 VM.Exit
        return_nil
    .end
    return_nil
.end
