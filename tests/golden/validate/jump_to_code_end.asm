; A relative jump to exactly the code length passes decoding but not the boundary check.
; expect-stderr: Error: [Validate Chunk] : jump target 5 out of range from ip=1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_nil
    jump_if_false end
    return_nil
    end:
.end
