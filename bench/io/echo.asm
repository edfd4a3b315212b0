; echo: a server fiber echoes every 64-byte message a client fiber sends over a
; loopback TCP connection; COUNT round trips, each an exact-count ReadAsync and a
; WriteAsync on either side. Prints the round trips done. bench/io.py fills in
; COUNT.
.main
    .const $main function "Main" locals=8
        .const $server function "Server" locals=2
            get_global "L"
            push_i16 5000
            call_builtin_2 Stream.WaitReadable
            pop
            get_global "L"
            call_builtin_1 Stream.Accept
            set_local_0
        serve:
            get_local_0
            push_i8 64
            call_builtin_2 Stream.ReadAsync
            await
            set_local_1
            get_local_1
            jump_if_false closed
            get_local_1
            len
            push_i8 0
            eq
            jump_if_true closed
            get_local_0
            get_local_1
            call_builtin_2 Stream.WriteAsync
            await
            pop
            loop serve
        closed:
            return_nil
        .end
        load_const "tcp"
        push_i8 0
        call_builtin_2 Stream.Listen
        set_local_0
        get_local_0
        define_global "L"
        ; the port: the digits after the last ':' of the listener's address
        get_local_0
        call_builtin_1 Stream.LocalAddr
        set_local_2
        push_i8 0
        set_local_1
        push_i8 0
        set_local_3
    scan:
        get_local_3
        get_local_2
        len
        ge
        jump_if_true scanned
        get_local_2
        get_local_3
        get_index
        to_int
        set_local 4
        push_i8 0
        cmp_jump_lc 4 ne 58 restart
        pop
        get_local_1
        push_i8 10
        mul
        get_local 4
        add
        push_i8 48
        sub
    restart:
        set_local_1
        inc_local 3
        loop scan
    scanned:
        make_function $server
        call_builtin_1 Fiber.New
        call_builtin_1 Scheduler.Schedule
        pop
        load_const "tcp"
        load_const "127.0.0.1"
        get_local_1
        call_builtin_3 Stream.Connect
        set_local_2
        get_local_2
        push_true
        call_builtin_2 Stream.SetNoDelay
        pop
        push_i8 0
        set_local 5            ; round trips
        push_i32 COUNT
        set_local 6
    ping:
        cmp_jump_ll 5 6 lt pinged
        get_local_2
        load_const "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef"
        call_builtin_2 Stream.WriteAsync
        await
        pop
        get_local_2
        push_i8 64
        call_builtin_2 Stream.ReadAsync
        await
        len
        push_i8 64
        eq
        jump_if_false pinged
        inc_local 5
        loop ping
    pinged:
        get_local_2
        load_const "rw"
        call_builtin_2 Stream.Shutdown
        pop
        load_const "round trips "
        get_local 5
        call_builtin_2 Console.WriteLine
        return_nil
    .end
    return_nil
.end
