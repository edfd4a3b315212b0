; A code size above 0xA00000 is refused.
; expect-stderr: Error: Chunk code size 10485761 exceeds limit 10485760
; expect-exit: 4
.main
    .code_size 0xA00001
    return_nil
.end
