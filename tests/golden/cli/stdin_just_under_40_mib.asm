; One byte less than 40 MiB is read and handed to the loader (which refuses the zero magic).
; cmd: --exec -
; stdin-bytes: 41943039
; expect-stderr: Error: Invalid bytecode signature
; expect-exit: 4
.main
    return_nil
.end
