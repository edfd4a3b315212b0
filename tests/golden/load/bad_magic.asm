; The header must start with TRV2.
; expect-stderr: Error: Invalid bytecode signature
; expect-exit: 4
.header
    .magic "TRV1"
.end
.main
    return_nil
.end
