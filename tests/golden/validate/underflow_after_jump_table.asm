; Jump-table targets start one shallower (the popped selector).
; expect-stderr: Error: [Validate Chunk] : stack underflow at ip=15 (op pops past empty stack)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_one
    jump_table 0 0 target default target
    target:
    pop
    return_nil
.end
