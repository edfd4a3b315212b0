; An array constant must have fewer than 10,000,000 items.
; expect-stderr: Error: Malformed bytecode: array constant too large (10000000, limit 10000000)
; expect-exit: 4
.main
    .const array count=10000000
    .end
    return_nil
.end
