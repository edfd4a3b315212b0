; --sign= with 128 characters, one of them not hexadecimal.
; cmd: --sign=b2d1672d54043ae5a062697fccc31a6d315b1d7ebc744c93b65f82cd3ad9045ebbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed5x --exec {pkg}
; expect-stderr: Invalid --sign key (expected 128 hex chars or a keyfile path)
; expect-exit: 1
.main
    return_nil
.end
