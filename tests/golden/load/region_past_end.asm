; r5 beyond the end of the file.
; expect-stderr: Error: Main section extends past end of file
; expect-exit: 4
.header
    .r5 100000
.end
.main
    return_nil
.end
