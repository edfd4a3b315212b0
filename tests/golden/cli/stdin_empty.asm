; Empty standard input is too small as well.
; cmd: --exec -
; stdin-bytes: 0
; expect-stderr: Error: stdin bytecode too small to be valid
; expect-exit: 4
.main
    return_nil
.end
