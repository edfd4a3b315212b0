; ==1 is not a version requirement.
; cmd: --min-version===1 --exec {pkg}
; expect-stderr: Invalid --min-version= requirement '==1'
; expect-exit: 1
.main
    return_nil
.end
