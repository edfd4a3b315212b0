; A function constant's chunk goes through the same checks.
; expect-stderr: Error: Read chunk with invalid magic marker!
; expect-exit: 4
.main
    .const function "Main"
        .marker 0
        return_nil
    .end
    return_nil
.end
