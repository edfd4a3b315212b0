; Constant index 5 in a chunk with 5 constants.
; expect-stderr: Error: [Validate Chunk] : const index 5 out of range 5 at ip=0 op=OP_01
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 0
    .const int 1
    .const int 2
    .const int 3
    .const int 4
    load_const 5
    return
.end
