; With TARVIK_TRUSTED_KEYS naming no file, only the built-in key is trusted.
; cmd: --sig-info {pkg}
; asm: --sign {keys}/test.key
; env: TARVIK_TRUSTED_KEYS={tmp}/missing
; setup-file: home/.tarvik/trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 home
; expect-stdout: signed|valid|bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56|
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
