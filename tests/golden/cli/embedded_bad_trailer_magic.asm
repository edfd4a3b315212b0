; Without the trailer magic the command line is parsed as usual.
; embed: yes
; patch-output: -24 54564b454d424432
; cmd: --version
; expect-stdout: 1.0.0.9
; expect-exit: 0
.main
    return_nil
.end
