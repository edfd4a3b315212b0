; FOREACH slot bytes 0xFF mean no slot and pass.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        foreach none none none none end
        end:
        return_nil
    .end
    return_nil
.end
