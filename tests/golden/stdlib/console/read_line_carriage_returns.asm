; Every trailing carriage return is removed: input made only of them reads as one
; empty line, and then the input has ended.
; stdin-bytes: 3 13
; expect-stdout: [] 0
; expect-stdout: nil
.main
    .const $main function "Main" locals=1
        call_builtin_0 Console.ReadLine
        set_local_0
        push_char '['
        get_local_0
        push_char ']'
        push_char ' '
        get_local_0
        len
        call_builtin_5 Console.WriteLine
        pop
        call_builtin_0 Console.ReadLine
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
