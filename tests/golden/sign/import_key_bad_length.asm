; A key of 63 characters is refused before the path is looked at.
; cmd: --import-key Short bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed5
; env-unset: HOME
; expect-stderr: Key must be 64 hex chars (Ed25519 public key)
; expect-exit: 1
.main
    return_nil
.end
