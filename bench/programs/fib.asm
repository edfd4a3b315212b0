; Recursive Fibonacci of 32: call and return cost.
.main
    .const $fib function "fib" params=1
        cmp_jump_lc 0 lt 2 recurse
        get_local_0
        return
    recurse:
        get_local_0
        push_i8 1
        sub
        call_self 1
        get_local_0
        push_i8 2
        sub
        call_self 1
        add
        return
    .end
    .const $main function "Main"
        push_i8 32
        call_global "fib" 1
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    make_function $fib
    define_global "fib"
    return_nil
.end
