; A try_leave with no handler of the running frame does nothing and execution goes
; on after it; when it is the last instruction there is nothing after it (the
; validator took it as the end of a path), so the leave happens at once: kind 0
; returns the value on top, other kinds jump to the target.
; expect-stdout: went on
; expect-stdout: jumped
; expect-exit: 5
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
        try_leave 1 0 next
    next:
        load_const "went on"
        call_builtin_1 Console.WriteLine
        pop
        make_function $jumps
        call 0
        pop
        push_i8 5
        try_leave 0 0 0
    .end
    return_nil
.end
