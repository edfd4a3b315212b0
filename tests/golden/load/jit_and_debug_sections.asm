; Debug and JIT sections load with --jit off (the IR is skipped).
; expect-exit: 0
.main
    .const $main function "Main"
        .function_flags 0x80
        return_nil
        .jit
            .bytes 01 02 03 04
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
