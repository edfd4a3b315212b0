; A conditional jump into the middle of a load_const.
; expect-stderr: Error: [Validate Chunk] : jump target 5 is not an instruction boundary (from ip=1 kind=OP_27)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    push_one
    jump_if_true 1
    load_const 0
    return
.end
