; Tag bit 25 is above the type bits.
; expect-stderr: Error: Unknown type 33554432 while reading value
; expect-exit: 4
.main
    .const tag 0x2000000
    return_nil
.end
