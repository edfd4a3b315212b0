; A jump table with room for one of its two cases.
; expect-stderr: Error: [Validate Chunk] : bytecode truncation at ip=1 (needed 15 bytes)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .bytes 2B 00000000 01000000 02 0000
.end
