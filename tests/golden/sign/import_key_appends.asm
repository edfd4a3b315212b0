; --import-key appends to an existing file; the name may contain spaces.
; cmd: --import-key 'Bob Smith' 2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56  Golden test key
; expect-stdout: Trusted key for 'Bob Smith' added to {tmp}/trusted_keys
; expect-file: trusted_keys bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56  Golden test key
; expect-file: trusted_keys 2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1  Bob Smith
; expect-exit: 0
.main
    return_nil
.end
