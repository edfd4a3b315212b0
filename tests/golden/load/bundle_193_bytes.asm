; A bundle of 193 bytes cannot hold the TOC count at offset 192.
; expect-stderr: Error: Unexpected end of buffer while reading bytecode (192/193)
; expect-exit: 4
.header
    .flags 1
    .r0 192
    .r1 192
    .r2 192
    .r3 192
    .r4 192
    .r5 193
.end
.zero 1
