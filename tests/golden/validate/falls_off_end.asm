; A chunk that ends in OP_ADD falls off the end.
; expect-stderr: Error: [Validate Chunk] : code falls off end at ip=2
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_one
    push_one
    add
.end
