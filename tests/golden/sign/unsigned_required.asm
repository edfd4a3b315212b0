; An unsigned package is refused with --require-signed.
; run: --require-signed
; expect-stderr: Error: Package is unsigned but --require-signed is set
; expect-exit: 4
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
