; A 191-byte file is too small for a header.
; expect-stderr: Error: Invalid bytecode file (too small)
; expect-exit: 4
.zero 191
