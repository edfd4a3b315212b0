; The debug section is read before the chunk is validated.
; expect-stderr: Error: Debug local count 129 exceeds MAX_LOCALS 128
; expect-exit: 4
.main
    pop
    return_nil
    .debug count=129
    .end
.end
