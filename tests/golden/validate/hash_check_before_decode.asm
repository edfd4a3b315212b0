; The constant-pool hash check comes before the decode pass.
; expect-stderr: Error: [Validate Chunk] : const pool hash collision: 'a' vs 'b'
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .pool
        "a" hash=1
        "b" hash=1
    .end
    .const pool "a"
    .const pool "b"
    .bytes FF
.end
