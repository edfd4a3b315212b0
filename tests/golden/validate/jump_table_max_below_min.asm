; A jump table with max < min.
; expect-stderr: Error: [Validate Chunk] : OP_JUMP_TABLE max < min at ip=1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_one
    jump_table 5 4 default 0
    return_nil
.end
