; An int division by zero with no handler prints the immediate report with the
; faulting instruction's position and every frame, and exits with status 1.
; expect-stdout: Unhandled exception! IP=10 Line: 7 Code: 1, Message: 'Division by zero'
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   at Main [ip=15, line=3]
; expect-stdout:   at Divide [ip=10, line=7]
; expect-exit: 1
.main
    .const $main function "Main"
        .const $divide function "Divide" params=2
            func_name "Divide"
            line 7
            get_local_0
            get_local_1
            nop
            nop
            div
            return
        .end
        func_name "Main"
        line 3
        push_i8 10
        push_i8 0
        make_function $divide
        call 2
        return
    .end
    return_nil
.end
