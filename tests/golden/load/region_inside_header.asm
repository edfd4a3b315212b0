; r0 below 192 starts inside the header.
; expect-stderr: Error: Main section starts inside the header
; expect-exit: 4
.header
    .r0 191
.end
.main
    return_nil
.end
