; An integer result is the exit status.
; expect-exit: 42
.main
    .const $main function "Main"
        push_i8 42
        return
    .end
    return_nil
.end
