; With only stdout on a terminal, marks are on but colours stay off (stderr is no terminal).
; tty: stdout
; expect-stderr: ❌ Error: Invalid bytecode signature
; expect-exit: 4
.header
    .magic "TRVX"
.end
.main
    return_nil
.end
