; A line longer than the first 128-byte buffer is read whole, and a last line
; without a line feed is returned before the end of input.
; stdin-bytes: 5000 65
; expect-stdout: 5000 AA
; expect-stdout: nil
.main
    .const $main function "Main" locals=1
        call_builtin_0 Console.ReadLine
        set_local_0
        get_local_0
        len
        push_char ' '
        get_local_0
        push_i8 0
        get_index
        get_local_0
        push_i16 4999
        get_index
        call_builtin_4 Console.WriteLine
        pop
        call_builtin_0 Console.ReadLine
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
