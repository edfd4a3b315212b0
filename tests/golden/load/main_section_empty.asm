; A 192-byte file with r0 = r5 = 192 has an empty main section.
; expect-stderr: Error: Invalid main section length
; expect-exit: 4
.header
    .r0 192
    .r1 192
    .r2 192
    .r3 192
    .r4 192
    .r5 192
.end
