; 191 bytes on standard input are too few for a package.
; cmd: --exec -
; stdin-bytes: 191
; expect-stderr: Error: stdin bytecode too small to be valid
; expect-exit: 4
.main
    return_nil
.end
