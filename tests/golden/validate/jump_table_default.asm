; A jump-table default address past the code.
; expect-stderr: Error: [Validate Chunk] : OP_JUMP_TABLE default addr=600 out of range at ip=1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_one
    jump_table 0 0 13 default 600
    return_nil
.end
