; OP_ITER_BEGIN exit past the code.
; expect-stderr: Error: [Validate Chunk] : OP_ITER_BEGIN target=100 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    iter_begin 0 1 100
    return_nil
.end
