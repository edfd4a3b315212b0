; The whole code is decoded before jump targets are checked.
; expect-stderr: Error: [Validate Chunk] : const index 9 out of range 1 at ip=6 op=OP_01
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    jump 1
    load_const 0
    load_const 9
    return
.end
