; Outcomes of socket operations, on a UDP socket that never receives anything:
; reads and readability waits time out with nil (a read hands over nothing) and
; outcome 1, also with a callable that gets the result instead of the fiber; a
; write without a destination fails with outcome 6. Fiber.CancelIo resumes a
; blocked reader with nil and outcome 7; Fiber.Cancel drops its operation so
; that it never resumes, also one the fiber started without waiting for it.
; Refused arguments raise code 3 without keeping an operation entry; the program
; ends, so nothing is left pending.
; expect-stdout: read timeout: nil outcome 1
; expect-stdout: exact read timeout: nil outcome 1
; expect-stdout: wait timeout: nil outcome 1
; expect-stdout: callback got nil
; expect-stdout: read with callback: nil outcome 1
; expect-stdout: unconnected write: nil outcome 6
; expect-stdout: cancel io: true false
; expect-stdout: reader resumed with nil, outcome 7
; expect-stdout: cancel: true status 3
; expect-stdout: cancel sleeper: true
; expect-stdout: error: Invalid argument(s) - type or length mismatch
; expect-stdout: error: Invalid argument(s) - type or length mismatch
; expect-stdout: error: Invalid argument(s) - type or length mismatch
; expect-stdout: error: Invalid argument(s) - type or length mismatch
; expect-stdout: error: Invalid argument(s) - type or length mismatch
; expect-stdout: error: Invalid argument(s) - type or length mismatch
; expect-stdout: error: Invalid argument(s) - type or length mismatch
; expect-stdout: after errors: nil outcome 1
.main
    .const $main function "Main" locals=3
        .const $reader function "Reader" locals=1
            get_global "U"
            call_builtin_1 Stream.ReadAsync
            await
            set_local_0
            load_const "reader resumed with "
            get_local_0
            load_const ", outcome "
            call_builtin_0 Stream.LastError
            call_builtin_4 Console.WriteLine
            pop
            return_nil
        .end
        .const $stuck function "Stuck"
            get_global "U"
            call_builtin_1 Stream.WaitReadable
            load_const "stuck fiber resumed (wrong)"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $sleeper function "Sleeper"
            get_global "U"
            call_builtin_1 Stream.ReadAsync
            pop
            push_i32 100000
            call_builtin_1 Fiber.Sleep
            load_const "sleeper woke (wrong)"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $start function "Start" params=1 locals=2
            ; a new fiber that runs (up to its first wait) before the caller goes on
            get_local_0
            call_builtin_1 Fiber.New
            set_local_1
            get_local_1
            call_builtin_1 Scheduler.Schedule
            pop
            push_i8 0
            call_builtin_1 Fiber.Sleep
            pop
            get_local_1
            return
        .end
        .const $callback function "Callback" params=1
            load_const "callback got "
            get_local_0
            call_builtin_2 Console.WriteLine
            return_nil
        .end
        .const $check function "Check" params=1 locals=2
            try_begin catch 1 finally
            get_local_0
            call 0
            pop
            load_const "no error (wrong)"
            call_builtin_1 Console.WriteLine
            pop
            try_end
        catch:
            catch_store
            load_const "error: "
            get_local_1
            get_property "Error"
            call_builtin_2 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        .const $negative function "Negative"
            get_global "U"
            push_minus_one
            call_builtin_2 Stream.ReadAsync
            await
            return
        .end
        .const $no_stream function "NoStream"
            push_nil
            push_i8 4
            call_builtin_2 Stream.ReadAsync
            await
            return
        .end
        .const $int_data function "IntData"
            get_global "U"
            push_i8 5
            call_builtin_2 Stream.WriteAsync
            await
            return
        .end
        .const $protocol function "Protocol"
            load_const "sctp"
            load_const "127.0.0.1"
            push_i8 80
            call_builtin_3 Stream.Connect
            return
        .end
        .const $port_zero function "PortZero"
            load_const "tcp"
            load_const "127.0.0.1"
            push_i8 0
            call_builtin_3 Stream.ConnectAsync
            await
            return
        .end
        .const $port_high function "PortHigh"
            load_const "udp"
            load_const "127.0.0.1"
            push_i32 65536
            call_builtin_3 Stream.Connect
            return
        .end
        .const $listen_port function "ListenPort"
            load_const "tcp"
            push_minus_one
            call_builtin_2 Stream.Listen
            return
        .end
        load_const "udp"
        push_i8 0
        call_builtin_2 Stream.Listen
        define_global "U"
        ; time-outs
        load_const "read timeout: "
        get_global "U"
        push_i8 0
        push_i8 100
        call_builtin_3 Stream.ReadAsync
        await
        load_const " outcome "
        call_builtin_0 Stream.LastError
        call_builtin_4 Console.WriteLine
        pop
        load_const "exact read timeout: "
        get_global "U"
        push_i8 5
        push_i8 30
        call_builtin_3 Stream.ReadAsync
        await
        load_const " outcome "
        call_builtin_0 Stream.LastError
        call_builtin_4 Console.WriteLine
        pop
        load_const "wait timeout: "
        get_global "U"
        push_i8 30
        call_builtin_2 Stream.WaitReadable
        load_const " outcome "
        call_builtin_0 Stream.LastError
        call_builtin_4 Console.WriteLine
        pop
        get_global "U"
        push_i8 0
        push_i8 30
        make_function $callback
        call_builtin_4 Stream.ReadAsync
        await
        set_local_0
        load_const "read with callback: "
        get_local_0
        load_const " outcome "
        call_builtin_0 Stream.LastError
        call_builtin_4 Console.WriteLine
        pop
        load_const "unconnected write: "
        get_global "U"
        load_const "x"
        call_builtin_2 Stream.WriteAsync
        await
        load_const " outcome "
        call_builtin_0 Stream.LastError
        call_builtin_4 Console.WriteLine
        pop
        ; Fiber.CancelIo: the reader resumes with nil; a second call finds nothing
        make_function $reader
        make_function $start
        call 1
        set_local_1
        load_const "cancel io: "
        get_local_1
        call_builtin_1 Fiber.CancelIo
        load_const " "
        get_local_1
        call_builtin_1 Fiber.CancelIo
        call_builtin_4 Console.WriteLine
        pop
        get_local_1
        await
        pop
        ; Fiber.Cancel: the fiber never resumes and its wait is gone
        make_function $stuck
        make_function $start
        call 1
        set_local_1
        load_const "cancel: "
        get_local_1
        call_builtin_1 Fiber.Cancel
        load_const " status "
        get_local_1
        call_builtin_1 Fiber.Status
        call_builtin_4 Console.WriteLine
        pop
        ; also an operation the fiber did not wait for goes with it
        make_function $sleeper
        make_function $start
        call 1
        set_local_1
        load_const "cancel sleeper: "
        get_local_1
        call_builtin_1 Fiber.Cancel
        call_builtin_2 Console.WriteLine
        pop
        ; refused arguments
        make_function $check
        set_local_2
        make_function $negative
        get_local_2
        call 1
        pop
        make_function $no_stream
        get_local_2
        call 1
        pop
        make_function $int_data
        get_local_2
        call 1
        pop
        make_function $protocol
        get_local_2
        call 1
        pop
        make_function $port_zero
        get_local_2
        call 1
        pop
        make_function $port_high
        get_local_2
        call 1
        pop
        make_function $listen_port
        get_local_2
        call 1
        pop
        load_const "after errors: "
        get_global "U"
        push_i8 10
        call_builtin_2 Stream.WaitReadable
        load_const " outcome "
        call_builtin_0 Stream.LastError
        call_builtin_4 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
