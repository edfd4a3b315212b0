; A forward jump past the end of the code.
; expect-stderr: Error: [Validate Chunk] : jump target 13 out of range at ip=0 op=OP_28
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    jump 10
    return_nil
.end
