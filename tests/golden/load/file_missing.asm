; A package path that cannot be opened.
; cmd: --exec {tmp}/missing.tvk
; expect-stderr: Error: Failed to open file: {tmp}/missing.tvk
; expect-exit: 4
.main
    return_nil
.end
