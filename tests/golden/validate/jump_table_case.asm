; A jump-table case address past the code.
; expect-stderr: Error: [Validate Chunk] : OP_JUMP_TABLE case addr=500 out of range at ip=1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_one
    jump_table 0 1 15 500 default 15
    return_nil
.end
