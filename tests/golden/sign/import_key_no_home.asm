; Without a trusted_keys path --import-key fails.
; cmd: --import-key Alice bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56
; env-unset: HOME
; expect-stderr: Could not resolve trusted_keys path (no HOME?)
; expect-exit: 1
.main
    return_nil
.end
