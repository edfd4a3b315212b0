; format_version 1.0.0.10 is newer than the VM.
; expect-stderr: Error: File was compiled for a newer system! 1.0.0.9 < 1.0.0.10
; expect-exit: 4
.header
    .format_version 0x0100000A
.end
.main
    return_nil
.end
