; Only the first 64 characters of a line are compared: a longer token still matches.
; cmd: --import-key Again bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56ff not really the same
; expect-stdout: Key already trusted in {tmp}/trusted_keys
; expect-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56ff not really the same
; expect-exit: 0
.main
    return_nil
.end
