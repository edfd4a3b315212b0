; Numeric option error: a sign without digits.
; cmd: --fibers=- --exec {pkg}
; expect-stderr: Invalid value for --fibers= (must be 3..1024)
; expect-exit: 1
.main
    return_nil
.end
