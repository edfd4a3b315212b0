; r5 past the end is reported before the non-bundle start.
; expect-stderr: Error: Main section extends past end of file
; expect-exit: 4
.header
    .r0 200
    .r1 200
    .r2 200
    .r3 200
    .r4 200
    .r5 100000
.end
.main
    return_nil
.end
