; --sig-info of sig_alg 3.
; cmd: --sig-info {pkg}
; expect-stdout: signed|unsupported||
; expect-exit: 0
.header
    .sig_alg 3
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
