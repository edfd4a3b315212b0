; A class may have at most 10,000,000 members.
; expect-stderr: Error: Malformed bytecode: class member count too large (10000001, limit 10000000)
; expect-exit: 4
.main
    .const class "C" count=10000001
    .end
    return_nil
.end
