; A float remainder by -0.0 raises code 2 (the divisor compares equal to 0.0), here
; through the local-local fused form.
; expect-stdout: Unhandled exception! IP=18 Line: 5 Code: 2, Message: 'Modulo by zero'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at Main [ip=18, line=5]
; expect-exit: 2
.main
    .const $main function "Main"
        func_name "Main"
        line 5
        push_f32 7.5
        set_local_0
        push_f32 -0.0
        set_local_1
        arith_local_local 0 mod 1
        return_nil
    .end
    return_nil
.end
