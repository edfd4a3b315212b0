; --sig-info needs more than 191 bytes.
; cmd: --sig-info {pkg}
; expect-stdout: error
; expect-exit: 1
.zero 191
