; Exactly 40 MiB on standard input is refused.
; cmd: --exec -
; stdin-bytes: 41943040
; expect-stderr: Error: stdin input exceeds 41943040 bytes
; expect-exit: 4
.main
    return_nil
.end
