; With --jit on, empty JIT sections are read (the verdict on non-empty IR belongs to the JIT's checker).
; run: --jit
; expect-exit: 0
.main
    .const $main function "Main"
        .function_flags 0x80
        return_nil
        .jit
        .end
    .end
    return_nil
    .debug
        "first"
        ""
    .end
    .jit
    .end
.end
