; An object key that is a flat float array reports 64 for any array type word.
; expect-stderr: Error: Malformed bytecode: object key is not a string (64, limit 16)
; expect-exit: 4
.main
    .const object
        array flat
            1.5
        .end
        nil
    .end
    return_nil
.end
