; Two different strings with one hash: a pooled string and an empty string constant with the same file
; hash.
; expect-stderr: Error: [Validate Chunk] : const pool hash collision: 'LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL' vs ''
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .pool
        "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL" hash=7
    .end
    .const pool 0
    .const string "" hash=7
    return_nil
.end
