; kind iter-next-body
; expect-stderr: Error: [Validate Chunk] : jump target 7 is not an instruction boundary (from ip=0 kind=iter-next-body)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    iter_next 0 1 7
    load_const 0
    return
.end
