; Numeric option error: one below the lower bound.
; cmd: --io-threads=0 --exec {pkg}
; expect-stderr: Invalid value for --io-threads= (must be 1..16)
; expect-exit: 1
.main
    return_nil
.end
