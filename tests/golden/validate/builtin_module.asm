; Module index 38 does not exist.
; expect-stderr: Error: [Validate Chunk] : invalid builtin ref mod=38 fn=0 at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    get_builtin 38 0
    return
.end
