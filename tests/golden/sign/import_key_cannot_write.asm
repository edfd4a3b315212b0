; Only one directory level is created: a missing HOME makes the file unwritable.
; cmd: --import-key Alice bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56
; env: HOME={tmp}/missing/home
; expect-stderr: Cannot write {tmp}/missing/home/.tarvik/trusted_keys
; expect-exit: 1
.main
    return_nil
.end
