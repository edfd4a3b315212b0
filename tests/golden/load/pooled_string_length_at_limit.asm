; A pooled string of 0x0FFFFFFF bytes passes the limit and runs past the end.
; expect-stderr: Error: Unexpected end of buffer while reading bytecode (207/222)
; expect-exit: 4
.main
    .pool
        "a" length=0x0FFFFFFF
    .end
    return_nil
.end
