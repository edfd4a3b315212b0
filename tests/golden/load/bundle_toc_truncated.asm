; A TOC entry cut short by the end of the file.
; expect-stderr: Error: Unexpected end of buffer while reading bytecode (194/200)
; expect-exit: 4
.header
    .flags 1
    .r0 192
    .r1 192
    .r2 192
    .r3 192
    .r4 192
    .r5 200
.end
.u16 1
.zero 6
