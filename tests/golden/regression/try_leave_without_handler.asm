; A try_leave with no handler of the running frame has no finally body to pass
; through, so the leave happens at once: kind 0 returns the value on top, other
; kinds jump to the target. Going on after it would run code that the validator
; did not follow, past the end of the chunk in Tail.
; expect-stdout: jumped
; expect-stdout: 5
; expect-exit: 6
.main
    .const $main function "Main"
        .const $jumps function "Jumps"
            try_leave 1 0 end
        back:
            load_const "jumped"
            call_builtin_1 Console.WriteLine
            return
        end:
            try_leave 1 0 back
        .end
        .const $tail function "Tail"
            push_i8 5
            try_leave 0 0 0
            nop
        .end
        try_leave 1 0 next
        load_const "not reached"
        call_builtin_1 Console.WriteLine
        pop
    next:
        make_function $jumps
        call 0
        pop
        make_function $tail
        call 0
        call_builtin_1 Console.WriteLine
        pop
        push_i8 6
        try_leave 0 0 0
    .end
    return_nil
.end
