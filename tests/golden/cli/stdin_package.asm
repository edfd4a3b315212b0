; A package on standard input loads: the missing Main shows it was read and checked.
; stdin-package: yes
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-exit: 4
.main
    return_nil
.end
