; --sig-info of a stripped signature.
; cmd: --sig-info {pkg}
; asm: --sign {keys}/test.key
; expect-stdout: signed|stripped||
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
.patch 82 00
