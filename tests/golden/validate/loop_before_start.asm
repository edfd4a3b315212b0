; A backward jump before the start of the code.
; expect-stderr: Error: [Validate Chunk] : jump target -5 out of range at ip=2 op=OP_29
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_nil
    pop
    loop 10
.end
