; An empty TARVIK_TRUSTED_KEYS does not count: the HOME rule applies.
; cmd: --list-keys
; env: TARVIK_TRUSTED_KEYS=
; expect-stdout: Built-in keys:
; expect-stdout:   0a2c119fe5606d6b9e1b82dd6b3c35ff387f4fb81fcabd78a095591537e7917d  Tarvik release key  (built-in)
; expect-stdout:
; expect-stdout: No trusted-key file (looked in {tmp}/home/.tarvik/trusted_keys)
; expect-exit: 0
.main
    return_nil
.end
