; The indexing instructions on locals: reads with negative indices counting from the
; end, writes that extend arrays with holes, fused arithmetic and loads, string and
; object indexing, and the non-indexable read that prints a line and yields nil.
; expect-stdout: li 1: 20
; expect-stdout: ll -1: 30
; expect-stdout: l_top -3: 10
; expect-stdout: top_l -2: 20
; expect-stdout: lu 2: 30
; expect-stdout: lk "k": v
; expect-stdout: lk 1: 20
; expect-stdout: set li 5: [10, 20, 30, nil, nil, 6] length 6
; expect-stdout: set ll -1, lil 0, lll 1, l 3: [-6, 21, 30, 3, nil, -1]
; expect-stdout: arith lli 1 add 5: [-6, 26, 30, 3, nil, -1]
; expect-stdout: arith lll -1 sub 1: [-6, 26, 30, 3, nil, -2]
; expect-stdout: load lli 0: -6
; expect-stdout: load lll 1: 26
; expect-stdout: string li 1: e
; expect-stdout: string ll -1: o
; expect-stdout: string float index 1.9: e
; expect-stdout: string after set: Hello
; expect-stdout: object set and read: 5
; expect-stdout: missing key: nil
; expect-stdout: nil[0]: nil
; expect-stdout: int[0]: nil
; expect-stderr: Error: [Line 70] Attempt to index non-indexable type 'int' for key 'int' at line 70
.main
    .const $main function "Main"
        .const $one int 1
        ; slot 0: [10, 20, 30], 1: -1, 2: the object {k: "v"}
        push_i8 10
        push_i8 20
        push_i8 30
        build_array 3 0
        set_local_0
        push_minus_one
        set_local_1
        load_const "k"
        load_const "v"
        build_object 1
        set_local_2
        load_const "li 1: "
        get_index_li 0 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "ll -1: "
        get_index_ll 0 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "l_top -3: "
        push_i8 -3
        get_index_l_top 0
        call_builtin_2 Console.WriteLine
        pop
        push_i8 -2
        set_local_3
        load_const "top_l -2: "
        get_local_0
        get_index_top_l 3
        call_builtin_2 Console.WriteLine
        pop
        load_const "lu 2: "
        get_index_lu 2 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "lk \"k\": "
        get_index_lk "k" 2
        call_builtin_2 Console.WriteLine
        pop
        load_const "lk 1: "
        get_index_lk $one 0
        call_builtin_2 Console.WriteLine
        pop
        push_i8 6
        set_index_li 0 5
        load_const "set li 5: "
        get_local_0
        load_const " length "
        get_local_0
        len
        call_builtin_4 Console.WriteLine
        pop
        push_minus_one
        set_index_ll 0 1
        push_i8 -6
        set_local_3
        set_index_lil 0 0 3
        push_i8 21
        set_local 4
        push_one
        set_local 5
        set_index_lll 0 5 4
        push_i8 3
        push_i8 3
        set_index_l 0
        load_const "set ll -1, lil 0, lll 1, l 3: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        arith_index_lli 0 5 add 5
        load_const "arith lli 1 add 5: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        arith_index_lll 0 1 sub 5
        load_const "arith lll -1 sub 1: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        load_index_lli 6 0 0
        load_const "load lli 0: "
        get_local 6
        call_builtin_2 Console.WriteLine
        pop
        load_index_lll 6 0 5
        load_const "load lll 1: "
        get_local 6
        call_builtin_2 Console.WriteLine
        pop
        load_const "hello"
        set_local 7
        load_const "string li 1: "
        get_index_li 7 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "string ll -1: "
        get_index_ll 7 1
        call_builtin_2 Console.WriteLine
        pop
        push_f32 1.9
        set_local 8
        load_const "string float index 1.9: "
        get_index_ll 7 8
        call_builtin_2 Console.WriteLine
        pop
        push_char 'H'
        set_index_li 7 0
        load_const "string after set: "
        get_local 7
        call_builtin_2 Console.WriteLine
        pop
        push_i8 5
        set_property_l 2 "n"
        load_const "object set and read: "
        load_const "n"
        get_index_l_top 2
        call_builtin_2 Console.WriteLine
        pop
        load_const "missing key: "
        get_index_lk "x" 2
        call_builtin_2 Console.WriteLine
        pop
        push_nil
        set_local 9
        load_const "nil[0]: "
        get_index_li 9 0
        call_builtin_2 Console.WriteLine
        pop
        line 70
        push_i8 5
        set_local 9
        load_const "int[0]: "
        get_index_li 9 0
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
