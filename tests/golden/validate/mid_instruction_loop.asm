; A backward jump into the middle of a load_const.
; expect-stderr: Error: [Validate Chunk] : jump target 1 is not an instruction boundary (from ip=3 kind=OP_29)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    load_const 0
    loop 5
    return
.end
