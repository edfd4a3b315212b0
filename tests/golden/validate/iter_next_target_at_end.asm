; An absolute target equal to the code length is out of range.
; expect-stderr: Error: [Validate Chunk] : OP_ITER_NEXT target=6 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    iter_next 0 1 6
    return_nil
.end
