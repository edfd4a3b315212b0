; Nothing keeps the TOC apart from the main section: here both start at 192, and the pool
; count (0) doubles as the TOC count.
; expect-exit: 0
.header
    .flags 1
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
