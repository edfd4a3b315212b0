; Objects: a class with two fields and a method; 5 million method calls that update
; both fields, then the fields are read back.
.main
    .const $point class "Point"
        .field "X" int 0
        .field "Y" int 0
        .method "Move" function "Move" params=2
            .function_flags 2
            arith_this_field_l "X" add 1
            arith_this_field_imm "Y" add 2
            return_nil
        .end
    .end
    .const $main function "Main" locals=4
        get_global "Point"
        new 0
        set_local_0
        push_i8 1
        set_local_1
        push_i32 5000000
        set_local_2
        iter_begin 1 2 done
    body:
        get_local_0
        get_local_1
        call_method "Move" 1
        pop
        iter_next 1 2 body
    done:
        get_local_0
        get_property "X"
        get_local_0
        get_property "Y"
        call_builtin_2 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    load_const $point
    define_global "Point"
    return_nil
.end
