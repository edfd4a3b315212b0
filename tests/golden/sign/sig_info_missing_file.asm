; --sig-info of a file that does not exist.
; cmd: --sig-info {tmp}/missing.tvk
; expect-stdout: error
; expect-exit: 1
.main
    return_nil
.end
