; Array index stores and loads: fill 1,000,000 slots, then sum them 10 times.
.main
    .const $main function "Main" locals=6
        build_array 0 0
        set_local_0            ; a
        push_i8 0
        set_local_1            ; i
        push_i32 999999
        set_local_2            ; last
        iter_begin 1 2 filled
    fill:
        set_index_lll 0 1 1    ; a[i] = i
        iter_next 1 2 fill
    filled:
        push_i8 0
        set_local_3            ; sum
        push_i8 1
        set_local 4            ; round
        push_i8 10
        set_local 5            ; rounds
        iter_begin 4 5 summed
    round:
        push_i8 0
        set_local_1
        iter_begin 1 2 next_round
    add_one:
        get_index_ll 0 1
        arith_local_pop 3 add
        iter_next 1 2 add_one
    next_round:
        iter_next 4 5 round
    summed:
        get_local_3
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
