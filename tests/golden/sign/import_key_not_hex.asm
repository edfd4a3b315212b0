; A 64-character key with a non-hexadecimal character is refused.
; cmd: --import-key Bad bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed5z
; expect-stderr: Key must be hexadecimal
; expect-exit: 1
.main
    return_nil
.end
