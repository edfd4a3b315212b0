; alloc: create and drop many small arrays and records; a ring of 1000 keeps some
; alive for a while. Measures the allocator and reference counting.
.main
    .const $main function "Main" locals=9
        push_i32 5000000
        set_local_1            ; n
        push_i16 1000
        set_local_2            ; ring size
        build_array 0 0
        set_local_3            ; ring
        push_false
        set_local 8
        push_i8 0
        set_local_0
        get_local_2
        arith_top_imm sub 1
        set_local 7
        iter_begin 0 7 ready
    clear:
        set_index_lll 3 0 8    ; ring[i] = false
        iter_next 0 7 clear
    ready:
        push_i8 0
        set_local 4            ; sum
        push_one
        set_local_0            ; i
        iter_begin 0 1 counted
    body:
        get_local_0
        get_local_0
        arith_top_imm add 1
        get_local_0
        arith_top_imm add 2
        build_array 3 0
        set_local 5            ; arr
        load_const "x"
        get_local_0
        push_i8 100
        mod
        load_const "y"
        get_local 5
        build_object 2
        set_local 6            ; rec
        get_local_0
        get_local_2
        mod
        set_local 7
        set_index_lll 3 7 6    ; ring[i % 1000] = rec
        get_property_l 6 "x"
        get_index_li 5 2
        arith_top_imm mod 7
        add
        arith_local_pop 4 add
        iter_next 0 1 body
    counted:
        push_i8 0
        set_local 5            ; live
        push_i8 0
        set_local_0
        get_local_2
        arith_top_imm sub 1
        set_local 7
        iter_begin 0 7 done
    live:
        get_index_ll 3 0
        get_property "y"
        push_i8 0
        get_index
        arith_top_imm mod 13
        arith_local_pop 5 add
        iter_next 0 7 live
    done:
        load_const "alloc "
        get_local_1
        load_const " "
        get_local 4
        load_const " "
        get_local 5
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
