; The slots of CMP_JUMP_LL are checked before its target.
; expect-stderr: Error: [Validate Chunk] : local slot 200 out of range (MAX_LOCALS=128) at ip=0 op=OP_2C
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    cmp_jump_ll 0 200 eq 1000
    return_nil
.end
