; OP_POP as the first instruction.
; expect-stderr: Error: [Validate Chunk] : stack underflow at ip=0 (op pops past empty stack)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    pop
    return_nil
.end
