; Version and region fields play no part in --sig-info.
; cmd: --sig-info {pkg}
; asm: --sign {keys}/other.key
; expect-stdout: signed|valid|2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1|
; expect-exit: 0
.header
    .format_version 2.0.0.0
    .r0 0
    .r5 0xFFFFFFFF
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
