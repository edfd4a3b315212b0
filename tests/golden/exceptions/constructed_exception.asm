; An Exception built with new: Code, Error, ToString, Name, and a stack trace with
; one entry per frame, outermost first. Main names itself with func_name; Helper's
; name is found through the global that holds it.
; expect-stdout: 5
; expect-stdout: x
; expect-stdout: Exception (code 5): x
; expect-stdout: Exception
; expect-stdout: 2
; expect-stdout: at Main [ip=10, line=3]
; expect-stdout: at Helper [ip=13, line=7]
; expect-stdout: true
.main
    .const $helper function "Helper"
        line 7
        push_i8 5
        load_const "x"
        get_global "Exception"
        new 2
        return
    .end
    .const $main function "Main" locals=1
        func_name "Main"
        line 3
        call_global "Helper" 0
        set_local_0
        get_local_0
        get_property "Code"
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        get_property "Error"
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "ToString" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Name" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        get_property "StackTrace"
        len
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "StackTraceString" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        get_global "Exception"
        instanceof
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    make_function $helper
    define_global "Helper"
    return_nil
.end
