; The chunk marker must be 0xA5; it is checked before version and counts.
; expect-stderr: Error: Read chunk with invalid magic marker!
; expect-exit: 4
.main
    .marker 0xA4
    .version 2.0.0.0
    .const_count 20000
    return_nil
.end
