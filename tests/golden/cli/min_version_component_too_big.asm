; A version component above 255 makes the requirement invalid.
; cmd: --min-version=256 --exec {pkg}
; expect-stderr: Invalid --min-version= requirement '256'
; expect-exit: 1
.main
    return_nil
.end
