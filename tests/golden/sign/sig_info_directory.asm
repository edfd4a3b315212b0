; --sig-info of a directory: it cannot be read.
; cmd: --sig-info {tmp}
; expect-stdout: error
; expect-exit: 1
.main
    return_nil
.end
