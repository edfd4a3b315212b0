; A valid signature by an untrusted key is refused with --require-signed.
; asm: --sign {keys}/other.key
; run: --require-signed
; expect-stderr: Error: Package signed by untrusted key 2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1 (not in trusted_keys)
; expect-exit: 4
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
