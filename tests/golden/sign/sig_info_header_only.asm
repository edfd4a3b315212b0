; A 192-byte file with the magic is enough for --sig-info.
; cmd: --sig-info {pkg}
; expect-stdout: unsigned
; expect-exit: 0
.header
.end
