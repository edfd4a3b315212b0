; --sign as the last argument has no key.
; cmd: --sign
; expect-stderr: Invalid --sign key (expected 128 hex chars or a keyfile path)
; expect-exit: 1
.main
    return_nil
.end
