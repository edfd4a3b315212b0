; --sig-info needs the TRV2 magic.
; cmd: --sig-info {pkg}
; expect-stdout: error
; expect-exit: 1
.header
    .magic "TRV9"
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
