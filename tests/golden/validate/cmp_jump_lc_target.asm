; CMP_JUMP_LC counts from ip + 6.
; expect-stderr: Error: [Validate Chunk] : CMP_JUMP_LC target 206 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    cmp_jump_lc 0 lt 5 200
    return_nil
.end
