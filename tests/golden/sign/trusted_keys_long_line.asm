; A line is read in pieces of 255 characters; the second piece holds the key here.
; cmd: --sig-info {pkg}
; asm: --sign {keys}/test.key
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys #xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxbbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 Piece label
; expect-stdout: signed|trusted|bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56|Piece label
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
