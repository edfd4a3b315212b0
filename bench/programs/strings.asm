; strings: build a long string from many small pieces, then scan it; measures
; concatenation and string allocation.
.main
    .const $main function "Main" locals=6
        push_i32 1000000
        set_local_1            ; n
        load_const ""
        set_local_0            ; s
        push_one
        set_local_2            ; i
        iter_begin 2 1 built
    piece:
        load_const "k"
        get_local_2
        load_const "="
        get_local_2
        arith_top_imm mul 7
        push_i16 1000
        mod
        load_const ";"
        concat_n 5
        arith_local_pop 0 add  ; s += piece
        iter_next 2 1 piece
    built:
        push_i8 0
        set_local_3            ; sevens
        get_local_0
        len
        arith_top_imm sub 1
        set_local 5            ; last position
        push_i8 0
        set_local 4            ; p
        iter_begin 4 5 done
    scan:
        get_index_ll 0 4
        push_char '7'
        eq
        jump_if_false no
        inc_local 3
    no:
        iter_next 4 5 scan
    done:
        load_const "strings "
        get_local_1
        load_const " "
        get_local_0
        len
        load_const " "
        get_local_3
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
