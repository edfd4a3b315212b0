; A readable key file whose text is not a key (127 characters).
; cmd: --sign {tmp}/bad.key --exec {pkg}
; setup-file: bad.key b2d1672d54043ae5a062697fccc31a6d315b1d7ebc744c93b65f82cd3ad9045ebbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed5
; expect-stderr: Invalid --sign key (expected 128 hex chars or a keyfile path)
; expect-exit: 1
.main
    return_nil
.end
