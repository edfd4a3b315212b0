; An empty file is too small as well.
; expect-stderr: Error: Invalid bytecode file (too small)
; expect-exit: 4
