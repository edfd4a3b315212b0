; OP_ITER_NEXT with slot 128.
; expect-stderr: Error: [Validate Chunk] : OP_ITER_NEXT local slot out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    iter_next 128 0 0
    return_nil
.end
