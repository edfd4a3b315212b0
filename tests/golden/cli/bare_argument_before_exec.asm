; A first bare argument is remembered and swallowed; parsing goes on, so --exec still counts.
; cmd: stray --exec {pkg} --version
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-exit: 4
.main
    return_nil
.end
