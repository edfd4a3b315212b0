; A chunk whose only instruction is OP_RETURN_NIL passes.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        return_nil
    .end
    return_nil
.end
