; --sig-info of a tampered package: no key is shown.
; cmd: --sig-info {pkg}
; asm: --sign {keys}/test.key
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56  Golden test key
; expect-stdout: signed|invalid||
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
.patch 300 ff
