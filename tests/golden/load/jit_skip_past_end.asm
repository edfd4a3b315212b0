; With --jit off the JIT IR is skipped; a length past the end fails the skip.
; expect-stderr: Error: Skip out of bounds in bytecode buffer (213+1000 > 215)
; expect-exit: 4
.main
    return_nil
    .jit length=1000
        .bytes 01 02
    .end
.end
