; kind iter-begin-exit
; expect-stderr: Error: [Validate Chunk] : jump target 6 is not an instruction boundary (from ip=0 kind=iter-begin-exit)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    iter_begin 0 1 6
    load_const 0
    return
.end
