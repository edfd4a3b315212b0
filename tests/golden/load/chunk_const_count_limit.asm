; More than 16384 constants are refused before any is read.
; expect-stderr: Error: Chunk constant count 16385 exceeds limit 16384
; expect-exit: 4
.main
    .const_count 16385
    return_nil
.end
