; A thrown Exception that no handler takes: the run loop prints its code, message
; and stack trace on stdout and the process exits with the code.
; expect-stdout: before
; expect-stdout: Unhandled exception (code 42): it broke
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   at Main [ip=17, line=4]
; expect-stdout:   at Fail [ip=16, line=9]
; expect-exit: 42
.main
    .const $fail function "Fail"
        func_name "Fail"
        line 9
        push_i8 42
        load_const "it broke"
        get_global "Exception"
        new 2
        throw
        return_nil
    .end
    .const $main function "Main"
        func_name "Main"
        load_const "before"
        call_builtin_1 Console.WriteLine
        pop
        line 4
        call_global "Fail" 0
        return_nil
    .end
    make_function $fail
    define_global "Fail"
    return_nil
.end
