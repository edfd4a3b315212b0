; sieve: the sieve of Eratosthenes over an array of booleans; measures indexed loads
; and stores. Index k stands for the number k + 1.
.main
    .const $main function "Main" locals=8
        push_i32 10000000
        set_local_1            ; n
        build_array 0 0
        set_local_0            ; flags
        push_true
        set_local 4
        get_local_1
        arith_top_imm sub 1
        set_local 7            ; last index
        push_i8 0
        set_local_2
        iter_begin 2 7 filled
    fill:
        set_index_lll 0 2 4    ; flags[i] = true
        iter_next 2 7 fill
    filled:
        push_false
        set_index_li 0 0       ; 1 is not prime
        push_i8 2
        set_local_2            ; i
    outer:
        get_local_2
        get_local_2
        mul
        get_local_1
        le
        jump_if_false sieved
        get_local_2
        arith_top_imm sub 1
        get_index_l_top 0
        jump_if_false next_i
        get_local_2
        get_local_2
        mul
        arith_top_imm sub 1
        set_local_3            ; j = i * i - 1, the index of i * i
    inner:
        cmp_jump_ll 3 7 le next_i
        push_false
        set_index_ll 0 3       ; flags[j] = false
        arith_local_local 3 add 2
        loop inner
    next_i:
        inc_local 2
        loop outer
    sieved:
        push_i8 0
        set_local 5            ; count
        push_i8 0
        set_local 6            ; last
        push_i8 0
        set_local_2            ; k
        iter_begin 2 7 done
    count:
        get_index_ll 0 2
        jump_if_false skip
        inc_local 5
        get_local_2
        arith_top_imm add 1
        set_local 6
    skip:
        iter_next 2 7 count
    done:
        load_const "sieve "
        get_local_1
        load_const " "
        get_local 5
        load_const " "
        get_local 6
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
