; All five chunk header fields are read before any is checked: a bad marker in a cut-off header gives
; the end-of-buffer message.
; expect-stderr: Error: Unexpected end of buffer while reading bytecode (195/197)
; expect-exit: 4
.header
    .r0 192
    .r1 192
    .r2 192
    .r3 192
    .r4 192
    .r5 197
.end
.u16 0
.u8 0
.u16 9
