; Local slot 128 is past MAX_LOCALS.
; expect-stderr: Error: [Validate Chunk] : local slot 128 out of range (MAX_LOCALS=128) at ip=0 op=OP_31
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    get_local 128
    return
.end
