; loop: a counting loop with a modulo and a branch; measures dispatch and integer arithmetic.
.main
    .const $main function "Main" locals=3
        push_i32 100000000
        set_local_2            ; n
        push_i8 0
        set_local_0            ; sum
        push_one
        set_local_1            ; i
        iter_begin 1 2 done
    body:
        get_local_1
        arith_top_imm mod 3
        push_i8 0
        eq
        jump_if_false other
        arith_local_local 0 add 1
        jump next
    other:
        arith_local_imm 0 sub 1
    next:
        iter_next 1 2 body
    done:
        load_const "loop "
        get_local_2
        load_const " "
        get_local_0
        concat_n 4
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
