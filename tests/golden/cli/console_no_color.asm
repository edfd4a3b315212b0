; NO_COLOR (not empty) turns the colours off; the mark stays.
; tty: stderr
; env: NO_COLOR=1
; expect-stderr: ❌ Error: Invalid bytecode signature
; expect-exit: 4
.header
    .magic "TRVX"
.end
.main
    return_nil
.end
