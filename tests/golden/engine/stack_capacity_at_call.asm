; A call whose callee needs more stack than is left raises code 12 before the frame
; is pushed: here Main holds 30 values and the callee's depth is 40 of 65 slots.
; run: --stack=65
; expect-stdout: Unhandled exception! IP=35 Line: -1 Code: 12, Message: 'Stack full or empty'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=35, line=-1]
; expect-exit: 12
.main
    .const $main function "Main"
        .const $deep function "Deep"
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            push_one
            return
        .end
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        make_function $deep
        call 0
        return
    .end
    return_nil
.end
