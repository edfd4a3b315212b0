; With stderr on a terminal, error lines get the colour and the mark.
; tty: stderr
; expect-stderr: {esc}[31m❌ Error: {esc}[0mInvalid bytecode signature
; expect-exit: 4
.header
    .magic "TRVX"
.end
.main
    return_nil
.end
