; Valid key files: the test key, and one with trailing blanks and CR LF, also as --sign=.
; run: --sign {keys}/test.key --sign={tmp}/spaced.key
; setup-file: spaced.key b2d1672d54043ae5a062697fccc31a6d315b1d7ebc744c93b65f82cd3ad9045ebbc797126d362382f12e9ccc9184d007429a247007d974ae6929996b434bed56 \t \r
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
