; format_version 1.0.0.7 is older than the oldest supported one.
; expect-stderr: Error: File was compiled by 1.0.0.7, older than the minimum supported 1.0.0.8 - recompile the source
; expect-exit: 4
.header
    .format_version 0x01000007
.end
.main
    return_nil
.end
