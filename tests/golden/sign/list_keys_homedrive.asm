; Without HOME, HOMEDRIVE and HOMEPATH make the path.
; cmd: --list-keys
; env-unset: HOME
; env: HOMEDRIVE={tmp}
; env: HOMEPATH=/drive
; setup-file: drive/.tarvik/trusted_keys 2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1 Drive key
; expect-stdout: Built-in keys:
; expect-stdout:   0a2c119fe5606d6b9e1b82dd6b3c35ff387f4fb81fcabd78a095591537e7917d  Tarvik release key  (built-in)
; expect-stdout:
; expect-stdout: Trusted keys in {tmp}/drive/.tarvik/trusted_keys:
; expect-stdout:   2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1  Drive key
; expect-stdout:
; expect-exit: 0
.main
    return_nil
.end
