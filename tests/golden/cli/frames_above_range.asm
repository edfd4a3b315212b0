; Numeric option error: one above the upper bound.
; cmd: --frames=1025 --exec {pkg}
; expect-stderr: Invalid value for --frames= (must be 8..1024)
; expect-exit: 1
.main
    return_nil
.end
