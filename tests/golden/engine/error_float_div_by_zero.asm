; A float divided by exactly 0.0 raises code 1 like an int division does.
; expect-stdout: Unhandled exception! IP=12 Line: 4 Code: 1, Message: 'Division by zero'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at Main [ip=12, line=4]
; expect-exit: 1
.main
    .const $main function "Main"
        func_name "Main"
        line 4
        push_one
        push_f32 0.0
        div
        return
    .end
    return_nil
.end
