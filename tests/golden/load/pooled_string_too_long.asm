; A pooled string must be shorter than 0x10000000 bytes.
; expect-stderr: Error: Malformed bytecode: pooled string too long (268435456, limit 268435456)
; expect-exit: 4
.main
    .pool
        "a" length=0x10000000
    .end
    return_nil
.end
