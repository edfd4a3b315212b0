; CONCAT_N needs at least 2 values.
; expect-stderr: Error: [Validate Chunk] : CONCAT_N operand count 1 outside 2..16 at ip=1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_nil
    concat_n 1
    return
.end
