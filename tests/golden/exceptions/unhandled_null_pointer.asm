; A null-pointer error (code 0) with no handler is reported like any other runtime
; error, and the exit status is its code: 0.
; expect-stdout: Unhandled exception! IP=4 Line: -1 Code: 0, Message: 'Cannot set property on non-object (got int)'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=4, line=-1]
; expect-exit: 0
.main
    .const $main function "Main"
        push_i8 3
        push_i8 4
        set_property "X"
        load_const "not reached"
        call_builtin_1 Console.WriteLine
        pop
        push_i8 9
        return
    .end
    return_nil
.end
