; kind cmp-jump-lc
; expect-stderr: Error: [Validate Chunk] : jump target 7 is not an instruction boundary (from ip=0 kind=cmp-jump-lc)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    cmp_jump_lc 0 eq 3 1
    load_const 0
    return
.end
