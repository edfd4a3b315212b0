; OP_TRY_LEAVE passes the current depth to its target.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        push_one
        try_leave 0 0 target
        target:
        pop
        return_nil
    .end
    return_nil
.end
