; The version is checked before the regions (r0 inside the header here).
; expect-stderr: Error: File was compiled for a newer system! 1.0.0.9 < 2.0.0.0
; expect-exit: 4
.header
    .format_version 2.0.0.0
    .r0 0
.end
.main
    return_nil
.end
