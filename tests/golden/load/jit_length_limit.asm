; A JIT IR length above 0xA00000 is refused before anything is read.
; expect-stderr: Error: JIT IR length 10485761 exceeds limit
; expect-exit: 4
.main
    return_nil
    .jit length=0xA00001
    .end
.end
