; Without any rule for the path, --list-keys still lists the built-in key and exits 0.
; cmd: --list-keys
; env-unset: HOME
; env: HOMEPATH=/only-path
; expect-stdout: Built-in keys:
; expect-stdout:   0a2c119fe5606d6b9e1b82dd6b3c35ff387f4fb81fcabd78a095591537e7917d  Tarvik release key  (built-in)
; expect-stderr: Could not resolve trusted_keys path (no HOME?)
; expect-exit: 0
.main
    return_nil
.end
