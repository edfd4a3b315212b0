; Tag 0x800000 (FFI function) cannot be a constant.
; expect-stderr: Error: Unknown type 8388608 while reading value
; expect-exit: 4
.main
    .const tag 0x800000
    return_nil
.end
