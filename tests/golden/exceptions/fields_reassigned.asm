; Code, Error and StackTrace are ordinary fields: StackTraceString joins the string
; entries of whatever array StackTrace holds, and the report of an escaping
; exception reads the fields as they are when it is thrown.
; expect-stdout: first
; expect-stdout: second
; expect-stdout: Unhandled exception (code 77): changed
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   first
; expect-stdout:   second
; expect-exit: 77
.main
    .const $main function "Main" locals=1
        push_one
        load_const "original"
        get_global "Exception"
        new 2
        set_local_0
        get_local_0
        push_i8 77
        set_property "Code"
        get_local_0
        load_const "changed"
        set_property "Error"
        get_local_0
        load_const "first"
        push_i8 5
        load_const "second"
        build_array 3 0
        set_property "StackTrace"
        get_local_0
        call_method "StackTraceString" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "first"
        load_const "second"
        build_array 2 0
        set_property "StackTrace"
        get_local_0
        throw
        return_nil
    .end
    return_nil
.end
