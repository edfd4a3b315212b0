; A jump table whose count byte is missing.
; expect-stderr: Error: [Validate Chunk] : bytecode truncation at ip=1 (needed 9 bytes)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .bytes 2B 00000000 00000000
.end
