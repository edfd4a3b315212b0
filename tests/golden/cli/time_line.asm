; --time prints the timing line on stdout after Main.
; run: --time
; expect-stdout-re: \[Time\] Execution took [0-9.e+-]+ ms\. Idle time [0-9]+ms
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
