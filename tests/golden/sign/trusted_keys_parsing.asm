; Ignored lines (comment, short, long, non-hex keys) do not stop later lines; blanks and case do not
; matter; the label is cut to 63 characters; the first matching entry wins.
; cmd: --sig-info {pkg}
; asm: --sign {keys}/test.key
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys # bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 comment
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed short key
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56ab long key
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed5g non-hex key
; setup-file: trusted_keys
; setup-file: trusted_keys  \t BBC797126D362382F12E9CCC9184D007429A247007D974AE6929996B434BED56\t \tFirst label, which is cut to sixty-three characters: 0123456789abcdef \t\r
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 Second label
; expect-stdout: signed|trusted|bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56|First label, which is cut to sixty-three characters: 0123456789
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
