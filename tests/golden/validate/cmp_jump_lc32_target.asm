; CMP_JUMP_LC32 counts from ip + 9.
; expect-stderr: Error: [Validate Chunk] : CMP_JUMP_LC32 target 309 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    cmp_jump_lc32 0 lt 100000 300
    return_nil
.end
