; A TOC count of 1025 is over the limit.
; expect-stderr: Error: [Bundle] TOC declares 1025 deps, limit is 1024
; expect-exit: 4
.toc count=1025
.end
.main
    return_nil
.end
