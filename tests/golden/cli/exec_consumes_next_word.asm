; --exec takes the next word as the package path, even when it looks like an option.
; cmd: --exec --verbose
; expect-stderr: Error: Failed to open file: --verbose
; expect-exit: 4
.main
    return_nil
.end
