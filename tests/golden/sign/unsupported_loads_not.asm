; sig_alg 1 is unsupported.
; expect-stderr: Error: Package uses an unsupported signature scheme (sig_alg=1) - recompile and re-sign with this toolchain
; expect-exit: 4
.header
    .sig_alg 1
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
