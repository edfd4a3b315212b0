; A name operand must refer to a string constant.
; expect-stderr: Error: [Validate Chunk] : property key const[0] is not a string at ip=0 op=OP_2F
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    get_global 0
    return
.end
