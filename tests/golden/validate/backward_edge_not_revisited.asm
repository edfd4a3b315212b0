; The depth pass is one forward sweep: code reached only by a later backward jump is never modelled, so
; its underflow goes unnoticed.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        jump forward
        back:
        pop
        return_nil
        forward:
        loop back
    .end
    return_nil
.end
