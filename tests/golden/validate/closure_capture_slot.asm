; A closure capture names a local slot, checked like any other.
; expect-stderr: Error: [Validate Chunk] : local slot 128 out of range (MAX_LOCALS=128) at ip=0 op=OP_65
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const $f function "F"
        return_nil
    .end
    make_closure $f "x" 1 "y" 128
    return
.end
