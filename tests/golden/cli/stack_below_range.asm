; Numeric option error: one below the lower bound.
; cmd: --stack=64 --exec {pkg}
; expect-stderr: Invalid value for --stack= (must be 65..65535)
; expect-exit: 1
.main
    return_nil
.end
