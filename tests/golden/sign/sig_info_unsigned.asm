; --sig-info of an unsigned package.
; cmd: --sig-info {pkg}
; expect-stdout: unsigned
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
