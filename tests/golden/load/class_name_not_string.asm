; A class name that is an integer reports type 8.
; expect-stderr: Error: Malformed bytecode: class name is not a string (8, limit 16)
; expect-exit: 4
.main
    .const class
        .name int 5
    .end
    return_nil
.end
