; ReadChar returns one byte at a time as a char, the line feed included; at the end
; of input it returns the char with code 0xFFFFFFFF, every time it is asked.
; stdin: ab
; expect-stdout: 97 98 10 4294967295 4294967295
.main
    .const $main function "Main"
        call_builtin_0 Console.ReadChar
        to_int
        push_char ' '
        call_builtin_0 Console.ReadChar
        to_int
        push_char ' '
        call_builtin_0 Console.ReadChar
        to_int
        call_builtin_5 Console.Write
        pop
        push_char ' '
        call_builtin_0 Console.ReadChar
        to_int
        push_char ' '
        call_builtin_0 Console.ReadChar
        to_int
        call_builtin_4 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
