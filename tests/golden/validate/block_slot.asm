; The slots of the block instructions are checked like other local slots.
; expect-stderr: Error: [Validate Chunk] : local slot 200 out of range (MAX_LOCALS=128) at ip=0 op=OP_94
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    block_get_li 200 0
    return
.end
