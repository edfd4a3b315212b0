; objects: a class with two fields and a method; measures field access and method dispatch.
.main
    .const $counter class "Counter"
        .field "a" int 0
        .field "b" int 0
        .method "Constructor" function "Constructor" params=3
            .function_flags 2
            get_local_1
            set_this_field "a"
            get_local_2
            set_this_field "b"
            return_nil
        .end
        .method "step" function "step" params=2
            .function_flags 2
            arith_this_field_l "a" add 1
            get_this_field "a"
            push_i16 1000
            ge
            jump_if_false done
            get_this_field "a"
            push_i16 1000
            sub
            set_this_field "a"
            arith_this_field_imm "b" add 1
        done:
            return_nil
        .end
    .end
    .const $main function "Main" locals=4
        push_i32 20000000
        set_local_2            ; n
        push_i8 0
        push_i8 0
        get_global "Counter"
        new 2
        set_local_0            ; c
        push_one
        set_local_1            ; i
        iter_begin 1 2 done
    body:
        get_local_0
        get_local_1
        arith_top_imm mod 7
        call_method_hint "step" 1 3
        pop
        iter_next 1 2 body
    done:
        load_const "objects "
        get_local_2
        load_const " "
        get_property_l 0 "a"
        load_const " "
        get_property_l 0 "b"
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    load_const $counter
    define_global "Counter"
    return_nil
.end
