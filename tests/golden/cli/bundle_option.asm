; --bundle= lists (with empty pieces, a trailing ';' or nothing at all) are accepted.
; run: --bundle=a;;b --bundle=c; --bundle=
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
