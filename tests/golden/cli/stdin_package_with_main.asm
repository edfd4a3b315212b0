; A valid package with Main on standard input runs to the end.
; stdin-package: yes
; run: --time
; expect-stdout-re: \[Time\] Execution took [0-9.e+-]+ ms\. Idle time [0-9]+ms
; expect-exit: 5
.main
    .const $main function "Main"
        push_i8 5
        return
    .end
    return_nil
.end
