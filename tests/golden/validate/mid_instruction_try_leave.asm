; kind try-leave
; expect-stderr: Error: [Validate Chunk] : jump target 6 is not an instruction boundary (from ip=0 kind=try-leave)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    try_leave 1 1 6
    load_const 0
    return
.end
