; A changed byte inside the signature field is invalid as well.
; asm: --sign {keys}/test.key
; expect-stderr: Error: Package signature is INVALID - file may be tampered or corrupt
; expect-exit: 4
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
.patch 150 00
