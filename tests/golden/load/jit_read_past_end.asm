; With --jit on the JIT IR is read; a length past the end fails the read.
; run: --jit
; expect-stderr: Error: Unexpected end of buffer while reading bytecode (213/215)
; expect-exit: 4
.main
    return_nil
    .jit length=1000
        .bytes 01 02
    .end
.end
