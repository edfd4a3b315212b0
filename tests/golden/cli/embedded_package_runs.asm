; A self-contained executable runs its package and never parses its arguments.
; embed: yes
; args: --version --help
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-exit: 4
.main
    return_nil
.end
