; CMP_JUMP_LL counts from ip + 6.
; expect-stderr: Error: [Validate Chunk] : CMP_JUMP_LL target 106 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    cmp_jump_ll 0 1 eq 100
    return_nil
.end
