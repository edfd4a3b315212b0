; A jump into the middle of a load_const.
; expect-stderr: Error: [Validate Chunk] : jump target 4 is not an instruction boundary (from ip=0 kind=OP_28)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    jump 1
    load_const 0
    return
.end
