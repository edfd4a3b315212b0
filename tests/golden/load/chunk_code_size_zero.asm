; A chunk without code bytes is refused.
; expect-stderr: Error: Chunk code size 0 exceeds limit 10485760
; expect-exit: 4
.main
    .code_size 0
    return_nil
.end
