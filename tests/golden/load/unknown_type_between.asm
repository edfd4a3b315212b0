; Tags 0x200..0x8000 are unknown too.
; expect-stderr: Error: Unknown type 32768 while reading value
; expect-exit: 4
.main
    .const tag 0x8000
    return_nil
.end
