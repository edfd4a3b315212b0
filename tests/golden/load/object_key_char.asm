; An object key that is a character reports type 2.
; expect-stderr: Error: Malformed bytecode: object key is not a string (2, limit 16)
; expect-exit: 4
.main
    .const object
        char 'k'
        nil
    .end
    return_nil
.end
