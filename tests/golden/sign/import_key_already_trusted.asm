; A key already in the file (compared without case, after blanks) is not added again.
; cmd: --import-key Again bbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56
; env: TARVIK_TRUSTED_KEYS={tmp}/trusted_keys
; setup-file: trusted_keys  \tBBC797126D362382F12E9CCC9184D007429A247007D974AE6929996B434BED56 Old label
; expect-stdout: Key already trusted in {tmp}/trusted_keys
; expect-file: trusted_keys  \tBBC797126D362382F12E9CCC9184D007429A247007D974AE6929996B434BED56 Old label
; expect-exit: 0
.main
    return_nil
.end
