; Class member kind 3 is invalid.
; expect-stderr: Error: Malformed bytecode: invalid class member kind (3, limit 2)
; expect-exit: 4
.main
    .const class "C"
        .member 3
            int 5
            nil
        .end
    .end
    return_nil
.end
