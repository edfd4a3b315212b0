; Without arguments the constructor leaves Code 0 and Error nil (ToString shows the
; text of nil); one argument sets only Code. The stack trace is filled either way.
; expect-stdout: 0 nil Exception (code 0): null 1
; expect-stdout: 9 nil Exception (code 9): null
.main
    .const $main function "Main" locals=1
        get_global "Exception"
        new 0
        set_local_0
        get_local_0
        get_property "Code"
        push_char ' '
        get_local_0
        get_property "Error"
        push_char ' '
        call_builtin_4 Console.Write
        pop
        get_local_0
        call_method "ToString" 0
        push_char ' '
        get_local_0
        get_property "StackTrace"
        len
        call_builtin_3 Console.WriteLine
        pop
        push_i8 9
        get_global "Exception"
        new 1
        set_local_0
        get_local_0
        get_property "Code"
        push_char ' '
        get_local_0
        get_property "Error"
        push_char ' '
        get_local_0
        call_method "ToString" 0
        call_builtin_5 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
