; ARITH_FMA_LLL with slot 128.
; expect-stderr: Error: [Validate Chunk] : ARITH_FMA_LLL slot out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    arith_fma_lll 0 1 2 128
    return_nil
.end
