; 10,000,000 class members pass the count check; the next byte (the code's return_nil, 0x62) is then
; read as a member kind.
; expect-stderr: Error: Malformed bytecode: invalid class member kind (98, limit 2)
; expect-exit: 4
.main
    .const class "C" count=10000000
    .end
    return_nil
.end
