; Jump targets are checked before the stack-depth pass.
; expect-stderr: Error: [Validate Chunk] : jump target 5 is not an instruction boundary (from ip=1 kind=OP_28)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    pop
    jump 1
    load_const 0
    return
.end
