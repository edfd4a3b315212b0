; kind cmp-jump-ll
; expect-stderr: Error: [Validate Chunk] : jump target 7 is not an instruction boundary (from ip=0 kind=cmp-jump-ll)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    cmp_jump_ll 0 1 eq 1
    load_const 0
    return
.end
