; A debug name longer than MAX_STRING_SIZE is refused.
; expect-stderr: Error: Debug name length 268435457 exceeds MAX_STRING_SIZE 268435456
; expect-exit: 4
.main
    return_nil
    .debug
        "i" length=0x10000001
    .end
.end
