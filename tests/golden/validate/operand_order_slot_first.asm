; OP_GET_PROPERTY_L: the slot comes before the name.
; expect-stderr: Error: [Validate Chunk] : local slot 200 out of range (MAX_LOCALS=128) at ip=0 op=OP_A1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    get_property_l 200 0
    return
.end
