; Every word after the package belongs to the script, even option look-alikes.
; args: --version --stack=1 --verbose
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-exit: 4
.main
    return_nil
.end
