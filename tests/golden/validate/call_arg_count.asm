; More than 16 call arguments.
; expect-stderr: Error: [Validate Chunk] : call arg count 17 exceeds MAX_CALL_ARGUMENTS=16 at ip=0 op=OP_5B
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    call 17
    return
.end
