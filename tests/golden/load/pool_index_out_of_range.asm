; A pool reference must be below the pool count.
; expect-stderr: Error: Malformed bytecode: string pool index out of range (1, limit 1)
; expect-exit: 4
.main
    .pool
        "a"
    .end
    .const pool 1
    return_nil
.end
