; Tag 3 has two bits set.
; expect-stderr: Error: Unknown type 3 while reading value
; expect-exit: 4
.main
    .const tag 3
    return_nil
.end
