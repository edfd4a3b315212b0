; --list-keys when the trusted_keys file does not exist.
; cmd: --list-keys
; env: TARVIK_TRUSTED_KEYS={tmp}/missing
; expect-stdout: Built-in keys:
; expect-stdout:   0a2c119fe5606d6b9e1b82dd6b3c35ff387f4fb81fcabd78a095591537e7917d  Tarvik release key  (built-in)
; expect-stdout:
; expect-stdout: No trusted-key file (looked in {tmp}/missing)
; expect-exit: 0
.main
    return_nil
.end
