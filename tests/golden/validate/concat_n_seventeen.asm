; CONCAT_N takes at most 16 values.
; expect-stderr: Error: [Validate Chunk] : CONCAT_N operand count 17 outside 2..16 at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    concat_n 17
    return
.end
