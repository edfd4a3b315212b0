; Flags without output of their own are accepted before --exec.
; run: --no-opt --small --strip --no-verify --unsafe --jit --require-signed --eval ignored
; expect-stderr: Error: Package is unsigned but --require-signed is set
; expect-exit: 4
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
