; sig_alg 255 with --require-signed is unsupported as well.
; run: --require-signed
; expect-stderr: Error: Package uses an unsupported signature scheme (sig_alg=255) - recompile and re-sign with this toolchain
; expect-exit: 4
.header
    .sig_alg 255
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
