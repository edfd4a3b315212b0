; Any other type gives 0.
; expect-exit: 0
.main
    .const $main function "Main"
        load_const "x"
        return
    .end
    return_nil
.end
