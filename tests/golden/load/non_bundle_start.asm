; A package that is not a bundle must have r0 = 192, even when all else is valid.
; expect-stderr: Error: Non-bundle main section must start at the header end
; expect-exit: 4
.header
    .r0 200
    .r1 200
    .r2 200
    .r3 200
    .r4 200
.end
.main
    return_nil
.end
