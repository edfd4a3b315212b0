; A typed float array (OP_BUILD_ARRAY kind 4) keeps raw doubles; every indexing
; instruction on locals reads its items as new floats and writes numbers into it,
; including the fast local-local read that plain arrays take.
; expect-stdout: built: [1, 2.5, -3] length 3
; expect-stdout: reads: 2.5 -3 1 2.5 -3 1 type 4
; expect-stdout: writes: [0.5, 7, -3, 4]
; expect-stdout: arith: [1.5, 14, -3, 4]
; expect-stdout: loads: 1.5 14
; expect-stdout: foreach: 1.5 14 -3 4
; expect-stdout: contains 14: true, contains "14": false
; expect-stdout: equal to [1.5, 14, -3, 4]: false
; expect-stdout: equal to [1.5, 14.0, -3.0, 4.0]: true
.main
    .const $main function "Main"
        .const $two int 2
        ; slot 0: the typed array, 1: index 1, 2: index -1, 3: a float
        push_one
        push_f32 2.5
        push_i8 -3
        build_array 3 4
        set_local_0
        push_one
        set_local_1
        push_minus_one
        set_local_2
        load_const "built: "
        get_local_0
        load_const " length "
        get_local_0
        len
        call_builtin_4 Console.WriteLine
        pop
        load_const "reads:"
        call_builtin_1 Console.Write
        pop
        load_const " "
        get_index_ll 0 1
        load_const " "
        get_index_ll 0 2
        call_builtin_4 Console.Write
        pop
        load_const " "
        get_index_li 0 0
        load_const " "
        get_index_lu 1 0
        call_builtin_4 Console.Write
        pop
        load_const " "
        get_index_lk $two 0
        load_const " "
        push_i8 -3
        get_index_l_top 0
        call_builtin_4 Console.Write
        pop
        load_const " type "
        get_index_ll 0 1
        typeof
        call_builtin_2 Console.WriteLine
        pop
        push_f32 0.5
        set_index_li 0 0
        push_i8 7
        set_index_ll 0 1
        push_i8 4
        set_local_3
        push_i8 3
        set_local 4
        set_index_lll 0 4 3
        load_const "writes: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        push_f32 1.0
        set_local_3
        push_i8 0
        set_local 4
        arith_index_lll 0 4 add 3
        arith_index_lli 0 1 mul 2
        load_const "arith: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        load_index_lli 5 0 0
        load_index_lll 6 0 1
        load_const "loads: "
        get_local 5
        load_const " "
        get_local 6
        call_builtin_4 Console.WriteLine
        pop
        load_const "foreach:"
        call_builtin_1 Console.Write
        pop
        push_minus_one
        set_local 8
    top:
        foreach 7 none 0 8 done
        load_const " "
        get_local 7
        call_builtin_2 Console.Write
        pop
        loop top
    done:
        load_const ""
        call_builtin_1 Console.WriteLine
        pop
        load_const "contains 14: "
        get_local_0
        push_i8 14
        contains
        load_const ", contains \"14\": "
        get_local_0
        load_const "14"
        contains
        call_builtin_4 Console.WriteLine
        pop
        ; items compare as floats, which are never deep-equal to ints
        load_const "equal to [1.5, 14, -3, 4]: "
        get_local_0
        push_f32 1.5
        push_i8 14
        push_i8 -3
        push_i8 4
        build_array 4 0
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "equal to [1.5, 14.0, -3.0, 4.0]: "
        get_local_0
        push_f32 1.5
        push_f32 14.0
        push_f32 -3.0
        push_f32 4.0
        build_array 4 0
        eq
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
