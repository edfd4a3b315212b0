; A runtime error in a fiber without any handler is reported at once: the raising
; frame's position and line, the code and message, then the stack trace, all on
; stdout; the process exits with the code (1). Values on the stack and in locals
; are released on the way out, so nothing is reported as left over.
; expect-stdout: before
; expect-stdout: Unhandled exception! IP=17 Line: 12 Code: 1, Message: 'Division by zero'
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   at Main [ip=21, line=5]
; expect-stdout:   at Divide [ip=17, line=12]
; expect-exit: 1
.main
    .const $divide function "Divide" params=2 locals=3
        func_name "Divide"
        build_array 0 0
        set_local_2
        line 12
        load_const "kept on the stack"
        get_local_0
        get_local_1
        div
        return
    .end
    .const $main function "Main"
        func_name "Main"
        load_const "before"
        call_builtin_1 Console.WriteLine
        pop
        line 5
        push_i8 7
        push_i8 0
        call_global "Divide" 2
        return
    .end
    make_function $divide
    define_global "Divide"
    return_nil
.end
