; --list-keys prints the built-in key, then each line with a space as its 65th character
; (after leading blanks): its first 64 characters and the rest as read, line end included, so
; an empty line follows each. Nothing else is checked.
; cmd: --list-keys
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 Golden test key
; setup-file: trusted_keys    2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1  two spaces
; setup-file: trusted_keys \tBBC797126D362382F12E9CCC9184D007429A247007D974AE6929996B434BED56 tab indented
; setup-file: trusted_keys #ccccccccccccccccccccccccccccccccccccccccccccccccccccccccccccccc comment printed too
; setup-file: trusted_keys 2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1\ttab separated: skipped
; setup-file: trusted_keys 2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1
; setup-file: trusted_keys short line
; expect-stdout: Built-in keys:
; expect-stdout:   0a2c119fe5606d6b9e1b82dd6b3c35ff387f4fb81fcabd78a095591537e7917d  Tarvik release key  (built-in)
; expect-stdout:
; expect-stdout: Trusted keys in {tmp}/trusted_keys:
; expect-stdout:   bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56  Golden test key
; expect-stdout:
; expect-stdout:   2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1   two spaces
; expect-stdout:
; expect-stdout:   BBC797126D362382F12E9CCC9184D007429A247007D974AE6929996B434BED56  tab indented
; expect-stdout:
; expect-stdout:   #ccccccccccccccccccccccccccccccccccccccccccccccccccccccccccccccc  comment printed too
; expect-stdout:
; expect-exit: 0
.main
    return_nil
.end
