; A debug section with 129 local names is refused.
; expect-stderr: Error: Debug local count 129 exceeds MAX_LOCALS 128
; expect-exit: 4
.main
    return_nil
    .debug count=129
    .end
.end
