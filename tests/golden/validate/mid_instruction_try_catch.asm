; kind try-catch
; expect-stderr: Error: [Validate Chunk] : jump target 7 is not an instruction boundary (from ip=0 kind=try-catch)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    try_begin 7 0 9
    load_const 0
    return
.end
