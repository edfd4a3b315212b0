; --version prints to stdout and exits 0 at once: --help after it has no effect.
; cmd: --version --help
; expect-stdout: 1.0.0.9
; expect-exit: 0
.main
    return_nil
.end
