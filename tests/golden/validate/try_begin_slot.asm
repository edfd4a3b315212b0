; OP_TRY_BEGIN with catch slot 128.
; expect-stderr: Error: [Validate Chunk] : OP_TRY_BEGIN catch_slot=128 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    try_begin 0 128 0
    return_nil
.end
