; Serial set-up: the format must have three characters and follow [7|8][N|E|O][1|2]
; (code 3 with its message); a port that does not exist, or a name too long for a
; device path, gives nil.
; expect-stdout: Serial format must be exactly 3 characters, e.g. "8N1"
; expect-stdout: Serial format must be [7|8][N|E|O][1|2], e.g. "8N1"
; expect-stdout: Serial format must be [7|8][N|E|O][1|2], e.g. "8N1"
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: nil
.main
    .const $main function "Main" locals=1
        .const $try function "Try" params=1 locals=2
        try_begin caught 1 finally
        load_const "ttyTARVIK0"
        push_i16 9600
        get_local_0
        call_builtin_3 Stream.OpenSerial
        call_builtin_1 Console.WriteLine
        pop
        try_end
    caught:
        catch_store
        get_local_1
        get_property "Error"
        call_builtin_1 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
        make_function $try
        set_local_0
        load_const "8N"
        get_local_0
        call 1
        pop
        load_const "9N1"
        get_local_0
        call 1
        pop
        load_const "8X1"
        get_local_0
        call 1
        pop
        load_const "7E2"
        get_local_0
        call 1
        pop
        load_const "\\\\.\\COM3"
        push_i16 9600
        call_builtin_2 Stream.OpenSerial
        call_builtin_1 Console.WriteLine
        pop
        load_const "ttyUSB0-this-name-is-far-too-long-for-a-serial-device-path-here"
        push_i16 9600
        call_builtin_2 Stream.OpenSerial
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
