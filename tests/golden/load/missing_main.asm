; A string "Main" and a function "main" are not the entry function.
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-exit: 4
.main
    .const string "Main"
    .const function "main"
        return_nil
    .end
    return_nil
.end
