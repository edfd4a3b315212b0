; OP_TRY_BEGIN with catch and finally targets past the code.
; expect-stderr: Error: [Validate Chunk] : OP_TRY_BEGIN catch_ip=7/finally_ip=50 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    try_begin 7 0 50
    return_nil
.end
