; Math.PI (6, 114) is a constant: it cannot be called.
; expect-stderr: Error: [Validate Chunk] : builtin ref mod=6 fn=114 is not a function at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    call_builtin_0 6 114
    return
.end
