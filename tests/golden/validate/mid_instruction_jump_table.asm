; kind jump-table (cases are recorded before the default)
; expect-stderr: Error: [Validate Chunk] : jump target 16 is not an instruction boundary (from ip=1 kind=jump-table)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    push_one
    jump_table 0 0 16 default 17
    load_const 0
    return
.end
