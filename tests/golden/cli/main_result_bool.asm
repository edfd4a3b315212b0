; true gives 1.
; expect-exit: 1
.main
    .const $main function "Main"
        push_true
        return
    .end
    return_nil
.end
