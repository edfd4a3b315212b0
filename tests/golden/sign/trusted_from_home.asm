; Without TARVIK_TRUSTED_KEYS the file is $HOME/.tarvik/trusted_keys.
; asm: --sign {keys}/test.key
; setup-file: home/.tarvik/trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 From home
; run: --require-signed
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
