; File streams: "rw" creates, lines end at LF with a final CR removed, positions,
; sizes and truncation; a closed stream answers its failure values; "a" appends,
; "w" empties, a directory gives nil, an unknown mode raises code 3.
; expect-stdout: true
; expect-stdout: true
; expect-stdout: 4
; expect-stdout: true
; expect-stdout: a
; expect-stdout: b
; expect-stdout: nil
; expect-stdout: 4
; expect-stdout: true
; expect-stdout: 98
; expect-stdout: true
; expect-stdout: 97
; expect-stdout: 97
; expect-stdout: true
; expect-stdout: 1
; expect-stdout: false
; expect-stdout: true
; expect-stdout: false
; expect-stdout: nil
; expect-stdout: false
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: azz
; expect-stdout: 0
; expect-stdout: 3
; expect-stdout: Invalid argument(s) - type or length mismatch
.main
    .const $main function "Main" locals=2
        load_const "new.bin"
        load_const "rw"
        call_builtin_2 Stream.Open
        set_local_0
        get_local_0
        call_builtin_1 Stream.IsOpen
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "a\r\nb"
        call_builtin_2 Stream.WriteString
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.Tell
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 0
        call_builtin_2 Stream.Seek
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadLine
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadLine
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadLine
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.Size
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_minus_one
        push_i8 2
        call_builtin_3 Stream.Seek
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadByte
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 0
        call_builtin_2 Stream.Seek
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.Peek
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadByte
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_one
        call_builtin_2 Stream.Truncate
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.Size
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 0
        push_i8 7
        call_builtin_3 Stream.Seek
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.Close
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.IsOpen
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadByte
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "x"
        call_builtin_2 Stream.WriteString
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.Tell
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadVarint
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.Close
        call_builtin_1 Console.WriteLine
        pop
        load_const "missing/x"
        load_const "r"
        call_builtin_2 Stream.Open
        call_builtin_1 Console.WriteLine
        pop
        load_const "."
        load_const "r"
        call_builtin_2 Stream.Open
        call_builtin_1 Console.WriteLine
        pop
        load_const "new.bin"
        load_const "a"
        call_builtin_2 Stream.Open
        set_local_0
        get_local_0
        load_const "zz"
        call_builtin_2 Stream.WriteString
        pop
        get_local_0
        call_builtin_1 Stream.Close
        pop
        load_const "new.bin"
        call_builtin_1 File.ReadText
        call_builtin_1 Console.WriteLine
        pop
        load_const "new.bin"
        load_const "w"
        call_builtin_2 Stream.Open
        call_builtin_1 Stream.Size
        call_builtin_1 Console.WriteLine
        pop
        try_begin caught 1 finally
        load_const "new.bin"
        load_const "r+"
        call_builtin_2 Stream.Open
        call_builtin_1 Console.WriteLine
        pop
        try_end
    caught:
        catch_store
        get_local_1
        get_property "Code"
        call_builtin_1 Console.WriteLine
        pop
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
    return_nil
.end
