; Tag 0x400000 (fiber) cannot be a constant.
; expect-stderr: Error: Unknown type 4194304 while reading value
; expect-exit: 4
.main
    .const tag 0x400000
    return_nil
.end
