; A code size larger than the rest of the file.
; expect-stderr: Error: Unexpected end of buffer while reading bytecode (207/208)
; expect-exit: 4
.main
    .code_size 100
    return_nil
.end
