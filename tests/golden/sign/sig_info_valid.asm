; --sig-info of a package signed by an untrusted key.
; cmd: --sig-info {pkg}
; asm: --sign {keys}/other.key
; expect-stdout: signed|valid|2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1|
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
