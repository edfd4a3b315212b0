; Tag 0 has no bit set.
; expect-stderr: Error: Unknown type 0 while reading value
; expect-exit: 4
.main
    .const tag 0
    return_nil
.end
