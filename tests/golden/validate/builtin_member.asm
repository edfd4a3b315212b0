; Math (module 6) has 149 members.
; expect-stderr: Error: [Validate Chunk] : invalid builtin ref mod=6 fn=149 at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    call_builtin_0 6 149
    return
.end
