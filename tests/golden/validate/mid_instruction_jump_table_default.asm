; kind jump-table-default
; expect-stderr: Error: [Validate Chunk] : jump target 16 is not an instruction boundary (from ip=1 kind=jump-table-default)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    push_one
    jump_table 0 0 15 default 16
    load_const 0
    return
.end
