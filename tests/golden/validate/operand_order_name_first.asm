; OP_SET_PROPERTY_LL: the name comes before the second slot.
; expect-stderr: Error: [Validate Chunk] : property key const[0] is not a string at ip=0 op=OP_51
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    set_property_ll 1 0 200
    return_nil
.end
