; Code that no edge reaches is skipped by the depth pass, whatever its stack effect.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        jump over
        pop
        pop
        add
        over:
        return_nil
        pop
        add
        return
    .end
    return_nil
.end
