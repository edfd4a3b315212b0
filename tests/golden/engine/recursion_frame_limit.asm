; Unbounded recursion fails with code 12 on the call that would need frame number
; max_frames: with --frames=8, Main and seven nested calls run.
; run: --frames=8
; expect-stdout: 1
; expect-stdout: 2
; expect-stdout: 3
; expect-stdout: 4
; expect-stdout: 5
; expect-stdout: 6
; expect-stdout: 7
; expect-stdout: Unhandled exception! IP=13 Line: -1 Code: 12, Message: 'Stack full or empty'
; expect-stdout: Stack trace (depth: 8):
; expect-stdout:   at Main [ip=9, line=-1]
; expect-stdout:   at Deep [ip=13, line=-1]
; expect-stdout:   at Deep [ip=13, line=-1]
; expect-stdout:   at Deep [ip=13, line=-1]
; expect-stdout:   at Deep [ip=13, line=-1]
; expect-stdout:   at Deep [ip=13, line=-1]
; expect-stdout:   at Deep [ip=13, line=-1]
; expect-stdout:   at Deep [ip=13, line=-1]
; expect-exit: 12
.main
    .const $main function "Main"
        ; Deep(n): prints n and recurses with n + 1, forever
        .const $deep function "Deep" params=1
            func_name "Deep"
            get_local_0
            call_builtin_1 Console.WriteLine
            pop
            get_local_0
            push_one
            add
            call_self 1
            return
        .end
        func_name "Main"
        push_one
        make_function $deep
        call 1
        return
    .end
    return_nil
.end
