; A load failure of the embedded package ends with status 4.
; embed: yes
; expect-stderr: Error: File was compiled by 1.0.0.7, older than the minimum supported 1.0.0.8 - recompile the source
; expect-exit: 4
.header
    .format_version 1.0.0.7
.end
.main
    return_nil
.end
