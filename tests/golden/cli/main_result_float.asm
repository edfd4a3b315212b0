; A float result is truncated toward zero: 3.9 gives 3.
; expect-exit: 3
.main
    .const $main function "Main"
        push_f32 3.9
        return
    .end
    return_nil
.end
