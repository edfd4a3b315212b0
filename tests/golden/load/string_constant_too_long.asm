; A string constant must be shorter than 0x10000000 bytes.
; expect-stderr: Error: Malformed bytecode: string constant too long (268435456, limit 268435456)
; expect-exit: 4
.main
    .const string "a" length=0x10000000
    return_nil
.end
