; An unsigned package loads silently.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
