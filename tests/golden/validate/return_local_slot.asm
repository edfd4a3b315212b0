; OP_RETURN_LOCAL takes a local slot.
; expect-stderr: Error: [Validate Chunk] : local slot 255 out of range (MAX_LOCALS=128) at ip=0 op=OP_63
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    return_local 255
.end
