; kind foreach-end
; expect-stderr: Error: [Validate Chunk] : jump target 8 is not an instruction boundary (from ip=0 kind=foreach-end)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    foreach 0 1 2 3 8
    load_const 0
    return
.end
