; kind try-finally (recorded after try-catch)
; expect-stderr: Error: [Validate Chunk] : jump target 8 is not an instruction boundary (from ip=0 kind=try-finally)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    try_begin 6 0 8
    load_const 0
    return
.end
