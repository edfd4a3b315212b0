; A conditional jump pops its operand on the taken edge too.
; expect-stderr: Error: [Validate Chunk] : stack underflow at ip=5 (op pops past empty stack)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_one
    jump_if_false target
    return_nil
    target:
    pop
    return_nil
.end
