; A line longer than 255 characters is read in pieces; each piece counts as a line.
; cmd: --list-keys
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy
; expect-stdout: Built-in keys:
; expect-stdout:   0a2c119fe5606d6b9e1b82dd6b3c35ff387f4fb81fcabd78a095591537e7917d  Tarvik release key  (built-in)
; expect-stdout:
; expect-stdout: Trusted keys in {tmp}/trusted_keys:
; expect-stdout:   bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56  yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy
; expect-exit: 0
.main
    return_nil
.end
