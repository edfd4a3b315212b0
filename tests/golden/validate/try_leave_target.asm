; OP_TRY_LEAVE target past the code (kind and levels are not checked).
; expect-stderr: Error: [Validate Chunk] : OP_TRY_LEAVE target=99 out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    try_leave 200 200 99
    return_nil
.end
