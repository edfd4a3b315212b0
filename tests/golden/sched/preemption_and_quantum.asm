; A loop without calls is preempted after `quantum` taken jumps, so another fiber
; gets its turns: Watch gives up the thread with Fiber.Sleep(0) and sees Spin's
; counter grow by exactly one budget per turn. SetQuantum clamps to 0..100000
; (0 and negative values mean the default 10000) and truncates a float.
; expect-stdout: quantum 3: +6 +3
; expect-stdout: quantum 2.9: +4 +2
; expect-stdout: quantum 0: +20000 +10000
; expect-stdout: quantum -5: +20000 +10000
; expect-stdout: quantum 200000: +200000 +100000
.main
    .const $main function "Main"
        .const $f29 float 2.9
        ; Measure(q): Spin with quantum q against Watch
        .const $measure function "Measure" params=1 locals=3
            .const $spin function "Spin"
            top:
                get_global "Stop"
                jump_if_true done
                get_global "C"
                push_one
                add
                set_global "C"
                loop top
            done:
                return_nil
            .end
            .const $watch function "Watch" locals=2
                push_i8 0
                set_local_1
                push_i8 0
                set_local_0
            top:
                cmp_jump_lc 0 lt 2 done
                push_i8 0
                call_builtin_1 Fiber.Sleep
                pop
                load_const " +"
                get_global "C"
                get_local_1
                sub
                call_builtin_2 Console.Write
                pop
                get_global "C"
                set_local_1
                inc_local 0
                loop top
            done:
                push_true
                set_global "Stop"
                return_nil
            .end
            push_i8 0
            set_global "C"
            push_false
            set_global "Stop"
            load_const "quantum "
            get_local_0
            load_const ":"
            call_builtin_3 Console.Write
            pop
            make_function $spin
            call_builtin_1 Fiber.New
            set_local_1
            get_local_1
            get_local_0
            call_builtin_2 Fiber.SetQuantum
            pop
            get_local_1
            call_builtin_1 Scheduler.Schedule
            pop
            make_function $watch
            call_builtin_1 Fiber.New
            set_local_2
            get_local_2
            call_builtin_1 Scheduler.Schedule
            pop
            get_local_2
            await
            pop
            get_local_1
            await
            pop
            load_const ""
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        make_function $measure
        set_local_0
        push_i8 3
        get_local_0
        call 1
        pop
        load_const $f29
        get_local_0
        call 1
        pop
        push_i8 0
        get_local_0
        call 1
        pop
        push_i8 -5
        get_local_0
        call 1
        pop
        push_i32 200000
        get_local_0
        call 1
        pop
        return_nil
    .end
    push_i8 0
    define_global "C"
    push_false
    define_global "Stop"
    return_nil
.end
