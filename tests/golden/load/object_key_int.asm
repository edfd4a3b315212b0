; An object key that is an immediate integer reports type 8.
; expect-stderr: Error: Malformed bytecode: object key is not a string (8, limit 16)
; expect-exit: 4
.main
    .const object
        int 5
        nil
    .end
    return_nil
.end
