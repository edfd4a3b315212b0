; Numeric option error: the text must be consumed entirely.
; cmd: --stack=100x --exec {pkg}
; expect-stderr: Invalid value for --stack= (must be 65..65535)
; expect-exit: 1
.main
    return_nil
.end
