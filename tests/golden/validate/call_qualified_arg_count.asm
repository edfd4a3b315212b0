; OP_CALL_QUALIFIED checks its argument count after both names.
; expect-stderr: Error: [Validate Chunk] : call arg count 17 exceeds MAX_CALL_ARGUMENTS=16 at ip=0 op=OP_A0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    call_qualified "A" "B" 17
    return
.end
