; A TCP echo server and its client as fibers of one program on 127.0.0.1: the
; listener takes a free port (read back from LocalAddr), the server waits for the
; connection with WaitReadable and echoes exact-count reads, the client connects
; with ConnectAsync. Then 4 MiB go through in one WriteAsync and arrive intact in
; one read until the peer shuts down. --stats counts every socket read and write.
; run: --stats --io-threads=2
; expect-stdout: accept before connect: nil
; expect-stdout: server: readable true
; expect-stdout: server got [0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39]
; expect-stdout: client: wrote 10, echo [0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39]
; expect-stdout: server rest [0x62, 0x79, 0x65]
; expect-stdout: server resumed with nil
; expect-stdout: big read 4194304 intact true, outcome 0
; expect-stdout: client: shutdown true, outcome 0, big write 4194304
; expect-stdout: client: early end [0x61, 0x62, 0x63, 0x64]
; expect-stdout-re: client: local 127\.0\.0\.1:\d+ peer 127\.0\.0\.1:\d+ nodelay true keepalive true timeout true
; expect-stdout-re: \[Time\] Execution took [0-9.e+-]+ ms\. Idle time \d+ms
; expect-stdout: 
; expect-stdout: === I/O Statistics ===
; expect-stdout-re: Total VM idle time \(ms\): \d+
; expect-stdout: Total I/O reads:         5  (4194331 bytes)
; expect-stdout: Total I/O writes:        5  (4194331 bytes)
; expect-stdout: I/O pool workers:        2
; expect-stdout: Pool jobs run inline:    0  (queue was full - raise --io-threads)
; expect-stdout: 
; expect-stdout: === Slabs Report ===
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Slab 0: .*
; expect-stdout: Total slabs 1
; expect-stdout-re:   Total .*
; expect-stdout-re:   Total .*
; expect-stdout-re:   Total .*
; expect-stdout: 
.main
    .const $main function "Main" locals=13
        .const $server function "Server" locals=3
            .const $rest function "Rest" params=1
                load_const "server rest "
                get_local_0
                call_builtin_2 Console.WriteLine
                return_nil
            .end
            load_const "server: readable "
            get_global "L"
            push_i16 5000
            call_builtin_2 Stream.WaitReadable
            call_builtin_2 Console.WriteLine
            pop
            get_global "L"
            call_builtin_1 Stream.Accept
            set_local_0
            get_local_0
            push_i8 10
            call_builtin_2 Stream.ReadAsync
            await
            set_local_1
            load_const "server got "
            get_local_1
            call_builtin_2 Console.WriteLine
            pop
            get_local_0
            get_local_1
            call_builtin_2 Stream.WriteAsync
            await
            pop
            get_local_0
            push_i8 0
            push_i16 5000
            make_function $rest
            call_builtin_4 Stream.ReadAsync
            await
            set_local_1
            load_const "server resumed with "
            get_local_1
            call_builtin_2 Console.WriteLine
            pop
            ; four bytes and the end, for a read of exactly ten
            get_local_0
            load_const "abcd"
            call_builtin_2 Stream.WriteAsync
            await
            pop
            get_local_0
            load_const "rw"
            call_builtin_2 Stream.Shutdown
            pop
            ; the big transfer on a second connection
            get_global "L"
            push_i16 5000
            call_builtin_2 Stream.WaitReadable
            pop
            get_global "L"
            call_builtin_1 Stream.Accept
            set_local_0
            get_local_0
            call_builtin_1 Stream.ReadAsync
            await
            set_local_1
            load_const "got.bin"
            get_local_1
            call_builtin_2 File.WriteAllBytes
            pop
            load_const "big read "
            get_local_1
            len
            load_const " intact "
            load_const "got.bin"
            call_builtin_1 File.Sha256
            load_const "sent.bin"
            call_builtin_1 File.Sha256
            eq
            load_const ", outcome "
            call_builtin_0 Stream.LastError
            concat_n 6
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        load_const "tcp"
        push_i8 0
        call_builtin_2 Stream.Listen
        set_local_0
        get_local_0
        define_global "L"
        load_const "accept before connect: "
        get_local_0
        call_builtin_1 Stream.Accept
        call_builtin_2 Console.WriteLine
        pop
        ; the port: the digits after the last ':' (code 58) of the listener's
        ; address; the count restarts at each ':'
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
        set_local 12
        get_local 12
        call_builtin_1 Scheduler.Schedule
        pop
        load_const "tcp"
        load_const "127.0.0.1"
        get_local_1
        call_builtin_3 Stream.ConnectAsync
        await
        set_local_2
        get_local_2
        load_const "0123456789"
        call_builtin_2 Stream.WriteAsync
        await
        set_local 5
        get_local_2
        push_i8 10
        push_i16 5000
        call_builtin_3 Stream.ReadAsync
        await
        set_local 6
        load_const "client: wrote "
        get_local 5
        load_const ", echo "
        get_local 6
        call_builtin_4 Console.WriteLine
        pop
        get_local_2
        load_const "bye"
        call_builtin_2 Stream.WriteAsync
        await
        pop
        get_local_2
        load_const "w"
        call_builtin_2 Stream.Shutdown
        set_local 5
        get_local_2
        push_i8 10
        call_builtin_2 Stream.ReadAsync
        await
        set_local 6
        call_builtin_0 Stream.LastError
        set_local 7
        ; 4 MiB: a 16-byte text doubled 18 times, kept in a file for the server to compare
        load_const "0123456789abcdef"
        set_local 8
        push_i8 0
        set_local 9
    double:
        cmp_jump_lc 9 lt 18 doubled
        get_local 8
        get_local 8
        add
        set_local 8
        inc_local 9
        loop double
    doubled:
        load_const "sent.bin"
        get_local 8
        call_builtin_2 File.WriteAllBytes
        pop
        load_const "tcp"
        load_const "localhost"
        get_local_1
        call_builtin_3 Stream.Connect
        set_local 10
        load_const "client: local "
        get_local 10
        call_builtin_1 Stream.LocalAddr
        load_const " peer "
        get_local 10
        call_builtin_1 Stream.PeerAddr
        load_const " nodelay "
        get_local 10
        push_true
        call_builtin_2 Stream.SetNoDelay
        load_const " keepalive "
        get_local 10
        push_true
        call_builtin_2 Stream.SetKeepAlive
        load_const " timeout "
        get_local 10
        push_i16 1000
        call_builtin_2 Stream.SetTimeout
        concat_n 10
        set_local_3
        get_local 10
        get_local 8
        push_i16 20000
        call_builtin_3 Stream.WriteAsync
        await
        set_local 11
        get_local 10
        load_const "rw"
        call_builtin_2 Stream.Shutdown
        pop
        get_local 12
        await
        pop
        load_const "client: shutdown "
        get_local 5
        load_const ", outcome "
        get_local 7
        load_const ", big write "
        get_local 11
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        load_const "client: early end "
        get_local 6
        call_builtin_2 Console.WriteLine
        pop
        get_local_3
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
