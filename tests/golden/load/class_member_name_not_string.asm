; A class member name that is a boolean reports type 128.
; expect-stderr: Error: Malformed bytecode: class member name is not a string (128, limit 16)
; expect-exit: 4
.main
    .const class "C"
        .member 0
            bool true
            nil
        .end
    .end
    return_nil
.end
