; The fused local arithmetic raises the same codes as the stack forms: modulo of an
; int local by an immediate zero exits with status 2.
; expect-stdout: Unhandled exception! IP=9 Line: 12 Code: 2, Message: 'Modulo by zero'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at Main [ip=9, line=12]
; expect-exit: 2
.main
    .const $main function "Main"
        func_name "Main"
        line 12
        push_i8 1
        set_local_0
        arith_local_imm 0 mod 0
        return_nil
    .end
    return_nil
.end
