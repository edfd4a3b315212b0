; A frame reused by OP_TAIL_CALL belongs to the new function: its stack-trace entry
; no longer carries the name and line that the replaced function recorded.
; expect-stdout: Unhandled exception! IP=3 Line: -1 Code: 1, Message: 'Division by zero'
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   at Main [ip=11, line=5]
; expect-stdout:   at Fail [ip=3, line=-1]
; expect-exit: 1
.main
    .const $fail function "Fail" params=1
        get_local_0
        push_i8 0
        div
        return
    .end
    .const $main function "Main"
        .const $leave function "Leave"
            func_name "Leave"
            line 9
            push_one
            get_global "Fail"
            tail_call 1
        .end
        func_name "Main"
        line 5
        make_function $leave
        call 0
        return
    .end
    load_const $fail
    define_global "Fail"
    return_nil
.end
