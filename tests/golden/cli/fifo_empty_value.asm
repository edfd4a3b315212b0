; Numeric option error: an empty value.
; cmd: --fifo= --exec {pkg}
; expect-stderr: Invalid value for --fifo= (must be 9..1024)
; expect-exit: 1
.main
    return_nil
.end
