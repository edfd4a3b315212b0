; closures: map, filter and reduce with callbacks (one capturing a local) over arrays.
.main
    .const $map function "map" params=2 locals=5
        build_array 0 0
        set_local_2            ; r
        get_local_0
        len
        arith_top_imm sub 1
        set_local 4            ; last index
        push_i8 0
        set_local_3            ; i
        iter_begin 3 4 done
    each:
        get_local_3
        get_index_ll 0 3
        get_local_1
        call 1
        set_index_l 2          ; r[i] = f(t[i])
        iter_next 3 4 each
    done:
        return_local 2
    .end
    .const $filter function "filter" params=2 locals=7
        build_array 0 0
        set_local_2            ; r
        push_i8 0
        set_local_3            ; n
        get_local_0
        len
        arith_top_imm sub 1
        set_local 6            ; last index
        push_i8 0
        set_local 4            ; i
        iter_begin 4 6 done
    each:
        load_index_lll 5 0 4   ; v = t[i]
        get_local 5
        get_local_1
        call 1
        jump_if_false skip
        set_index_lll 2 3 5    ; r[n] = v
        inc_local 3
    skip:
        iter_next 4 6 each
    done:
        return_local 2
    .end
    .const $reduce function "reduce" params=3 locals=5
        get_local_0
        len
        arith_top_imm sub 1
        set_local 4            ; last index
        push_i8 0
        set_local_3            ; i
        iter_begin 3 4 done
    each:
        get_local_2
        get_index_ll 0 3
        get_local_1
        call 2
        set_local_2            ; acc = f(acc, t[i])
        iter_next 3 4 each
    done:
        return_local 2
    .end
    .const $main function "Main" locals=10
        push_i32 100000
        set_local_0            ; n
        push_i8 100
        set_local_1            ; rounds
        build_array 0 0
        set_local_2            ; base
        get_local_0
        arith_top_imm sub 1
        set_local 9
        push_i8 0
        set_local_3
        iter_begin 3 9 filled
    fill:
        get_local_3
        get_local_3
        arith_top_imm add 1
        set_index_l 2          ; base[i] = i + 1
        iter_next 3 9 fill
    filled:
        push_i8 0
        set_local 4            ; total
        push_one
        set_local 5            ; round
        iter_begin 5 1 done
    round:
        get_local 5
        arith_top_imm mod 5
        arith_top_imm add 2
        set_local 6            ; k
        get_local_2
        make_closure $scale "k" 6
        call_global "map" 2
        set_local 7            ; scaled
        get_local 7
        make_function $even
        call_global "filter" 2
        set_local 8            ; kept
        get_local 8
        make_function $sum
        push_i8 0
        call_global "reduce" 3
        arith_local_pop 4 add  ; total += s
        get_local 8
        len
        arith_local_pop 4 add  ; total += #kept
        get_local 4
        load_const $prime
        mod
        set_local 4
        iter_next 5 1 round
    done:
        load_const "closures "
        get_local_0
        load_const " "
        get_local_1
        load_const " "
        get_local 4
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
        .const $prime int 1000000007
        .const $scale function "scale" params=1
            get_local_0
            get_global "k"
            mul
            push_i16 1009
            mod
            return
        .end
        .const $even function "even" params=1
            get_local_0
            arith_top_imm mod 2
            push_i8 0
            eq
            return
        .end
        .const $sum function "sum" params=2
            get_local_0
            get_local_1
            add
            load_const $prime
            mod
            return
            .const $prime int 1000000007
        .end
    .end
    make_function $map
    define_global "map"
    make_function $filter
    define_global "filter"
    make_function $reduce
    define_global "reduce"
    return_nil
.end
