; OP_GET_INDEX_LK: the constant comes before the slot.
; expect-stderr: Error: [Validate Chunk] : const index 9 out of range 1 at ip=0 op=OP_A8
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    get_index_lk 9 200
    return
.end
