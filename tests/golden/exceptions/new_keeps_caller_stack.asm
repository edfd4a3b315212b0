; Building an Exception with new consumes exactly the class and its arguments:
; values the caller pushed before them are still there afterwards.
; expect-stdout: 7 8 3
.main
    .const $main function "Main"
        push_i8 7
        push_char ' '
        push_i8 8
        push_char ' '
        push_i8 3
        get_global "Exception"
        new 1
        get_property "Code"
        call_builtin_5 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
