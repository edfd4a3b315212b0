; OP_CALL pops argc + 1 values.
; expect-stderr: Error: [Validate Chunk] : stack underflow at ip=2 (op pops past empty stack)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_nil
    push_nil
    call 2
    return
.end
