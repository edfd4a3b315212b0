; An object constant must have fewer than 10,000,000 properties.
; expect-stderr: Error: Malformed bytecode: object property count too large (10000000, limit 10000000)
; expect-exit: 4
.main
    .const object count=10000000
    .end
    return_nil
.end
