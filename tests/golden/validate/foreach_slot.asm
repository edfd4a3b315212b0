; FOREACH slot 0x80 is refused (only 0xFF means none).
; expect-stderr: Error: [Validate Chunk] : FOREACH local slot out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    foreach 0 none 0x80 1 7
    return_nil
.end
