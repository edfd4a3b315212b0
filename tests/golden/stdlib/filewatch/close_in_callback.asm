; A callback that closes its own watch ends the delivery of that watch's batch (two
; files were created, one event arrives); a sleep it starts ends with the callback,
; and the program ends (status 0) while watch 1 is still open.
; setup-dir: c
; expect-stdout: ids 0 1
; expect-stdout: events 1, closed by the callback true, close again false
.main
    .const $main function "Main" locals=2
        .const $close_self function "CloseSelf" params=2
            get_global "Count"
            push_one
            add
            set_global "Count"
            get_local_1
            call_builtin_1 FileWatch.Close
            set_global "Closed"
            push_i8 50
            call_builtin_1 Fiber.Sleep
            return
        .end
        .const $ignore function "Ignore" params=2
            return_nil
        .end
        load_const "c"
        make_function $close_self
        call_builtin_2 FileWatch.Open
        set_local_0
        load_const "c"
        make_function $ignore
        call_builtin_2 FileWatch.Open
        set_local_1
        load_const "ids "
        get_local_0
        load_const " "
        get_local_1
        call_builtin_4 Console.WriteLine
        pop
        load_const "c/a.txt"
        load_const "a"
        call_builtin_2 File.WriteText
        pop
        load_const "c/b.txt"
        load_const "b"
        call_builtin_2 File.WriteText
        pop
        push_i8 0
        set_local_1
    again:
        get_global "Count"
        jump_if_true done
        cmp_jump_lc 1 lt 100 done
        push_i8 20
        call_builtin_1 Fiber.Sleep
        pop
        inc_local 1
        loop again
    done:
        ; later events of the closed watch are never delivered
        push_i8 50
        call_builtin_1 Fiber.Sleep
        pop
        load_const "events "
        get_global "Count"
        load_const ", closed by the callback "
        get_global "Closed"
        call_builtin_4 Console.Write
        pop
        load_const ", close again "
        get_local_0
        call_builtin_1 FileWatch.Close
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    push_i8 0
    define_global "Count"
    push_nil
    define_global "Closed"
    return_nil
.end
