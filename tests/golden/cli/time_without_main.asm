; Without Main the run ends before the timing line.
; run: --time
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-exit: 4
.main
    return_nil
.end
