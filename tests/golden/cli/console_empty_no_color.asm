; An empty NO_COLOR does not count.
; tty: stderr
; env: NO_COLOR=
; expect-stderr: {esc}[31m❌ Error: {esc}[0mInvalid bytecode signature
; expect-exit: 4
.header
    .magic "TRVX"
.end
.main
    return_nil
.end
