; fib: naive recursive Fibonacci of 35; measures call and return cost.
.main
    .const $fib function "fib" params=1
        cmp_jump_lc 0 lt 2 recurse
        get_local_0
        return
    recurse:
        get_local_0
        arith_top_imm sub 1
        call_self 1
        get_local_0
        arith_top_imm sub 2
        call_self 1
        add
        return
    .end
    .const $main function "Main" locals=1
        push_i8 35
        set_local_0
        load_const "fib "
        get_local_0
        load_const " "
        get_local_0
        call_global "fib" 1
        concat_n 4
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    make_function $fib
    define_global "fib"
    return_nil
.end
