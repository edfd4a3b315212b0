; OP_MAKE_CLOSURE copies the captured locals at creation time: closures made in
; different iterations see different values, later stores to the local do not reach
; them, and stores inside a closure stay in its own environment between calls.
; expect-stdout: closure 0 sees 0
; expect-stdout: closure 1 sees 10
; expect-stdout: closure 2 sees 20
; expect-stdout: after the loop the local is 3
; expect-stdout: counter 1
; expect-stdout: counter 2
; expect-stdout: other counter 1
; expect-stdout: global N = 100
; expect-stdout: no captures: N = 100
.main
    .const $main function "Main"
        ; Show(): prints the captured I and V
        .const $show function "Show"
            load_const "closure "
            get_global "I"
            load_const " sees "
            get_global "V"
            call_builtin_4 Console.WriteLine
            pop
            return_nil
        .end
        ; Count(): increments its captured N and prints it
        .const $count function "Count"
            get_global "N"
            push_one
            add
            set_global "N"
            get_global "N"
            return
        .end
        .const $plain function "Plain"
            get_global "N"
            return
        .end
        ; slot 0 = i, slot 1 = i * 10, slot 2 = the array of closures
        build_array 0 0
        set_local_2
        push_i8 0
        set_local_0
    loop_top:
        cmp_jump_lc 0 lt 3 loop_end
        get_local_0
        push_i8 10
        mul
        set_local_1
        get_local_2
        get_local_0
        make_closure $show "I" 0 "V" 1
        set_index
        inc_local 0
        loop loop_top
    loop_end:
        push_i8 0
        set_local 3
    call_top:
        cmp_jump_lc 3 lt 3 call_end
        get_index_ll 2 3
        call 0
        pop
        inc_local 3
        loop call_top
    call_end:
        load_const "after the loop the local is "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        ; a closure's own environment keeps its stores across calls
        push_i8 0
        set_local_0
        make_closure $count "N" 0
        set_local 4
        load_const "counter "
        get_local 4
        call 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "counter "
        get_local 4
        call 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "other counter "
        make_closure $count "N" 0
        call 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "global N = "
        get_global "N"
        call_builtin_2 Console.WriteLine
        pop
        ; with no captures the copy still resolves through its parent scope
        load_const "no captures: N = "
        make_closure $plain
        call 0
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    push_i8 100
    define_global "N"
    return_nil
.end
