; Numeric option error: one above the upper bound.
; cmd: --slabs=65536 --exec {pkg}
; expect-stderr: Invalid value for --slabs= (must be 1..65535)
; expect-exit: 1
.main
    return_nil
.end
