; A bundle's main section need not start at 192: here it follows an empty TOC.
; expect-exit: 0
.toc
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
