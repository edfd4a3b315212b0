; An invalid signature is refused with --require-signed too (a changed code byte).
; asm: --sign {keys}/test.key
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56  Golden test key
; run: --require-signed
; expect-stderr: Error: Package signature is INVALID - file may be tampered or corrupt
; expect-exit: 4
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
.patch 257 01
