; After the first bare argument, options are still parsed.
; cmd: stray --stack=64
; expect-stderr: Invalid value for --stack= (must be 65..65535)
; expect-exit: 1
.main
    return_nil
.end
