; --import-key creates $HOME/.tarvik (one level) and appends the key in lower case.
; cmd: --import-key Alice BBC797126D362382F12E9CCC9184D007429A247007D974AE6929996B434BED56
; expect-stdout: Trusted key for 'Alice' added to {tmp}/home/.tarvik/trusted_keys
; expect-file: home/.tarvik/trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56  Alice
; expect-exit: 0
.main
    return_nil
.end
