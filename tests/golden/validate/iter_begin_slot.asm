; OP_ITER_BEGIN with slot 128.
; expect-stderr: Error: [Validate Chunk] : OP_ITER_BEGIN local slot out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    iter_begin 0 128 0
    return_nil
.end
