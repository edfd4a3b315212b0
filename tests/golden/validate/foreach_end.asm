; FOREACH end past the code.
; expect-stderr: Error: [Validate Chunk] : FOREACH end=99 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    foreach 0 none 1 2 99
    return_nil
.end
