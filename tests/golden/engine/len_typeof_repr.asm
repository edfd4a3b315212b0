; OP_LEN, OP_TYPEOF (normalised masks), OP_REPR and the type tests.
; expect-stdout: len: 5 0 3 2 0 0 0 2
; expect-stdout: typeof: 1 2 4 8 8 16 32 64 64 128 65536 131072 1048576 16777216 33554432 1
; expect-stdout: repr: 'hi' <array[2]> Console.WriteLine 42 -7 true false
; expect-stdout: is_array: true false true
; expect-stdout: is_object: true false false
; expect-stdout: is_nil: true false true false
; expect-stdout: is_not_nil: false true false true
.main
    .const $main function "Main"
        .const $two60 int 0x1000000000000000
        .const $point class "Point"
            .field "X" int 0
            .field "Y" int 0
            .method "Get" function "Get" params=1
                .function_flags 2
                return_nil
            .end
        .end
        ; Show(label, items): the label, then each item after a space
        .const $show function "Show" params=2
            get_local_0
            call_builtin_1 Console.Write
            pop
            push_minus_one
            set_local_3
        top:
            foreach 2 none 1 3 done
            load_const " "
            get_local_2
            call_builtin_2 Console.Write
            pop
            loop top
        done:
            load_const ""
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        .const $helper function "Helper"
            return_nil
        .end
        ; slot 0: an array whose item 0 was never written, 1: an instance of Point,
        ; 2: Show
        build_array 0 0
        set_local_0
        push_one
        set_index_li 0 1
        load_const $point
        new 0
        set_local_1
        make_function $show
        set_local_2
        load_const "len:"
        load_const "hello"
        len
        load_const ""
        len
        push_one
        push_i8 2
        push_i8 3
        build_array 3 0
        len
        load_const "a"
        push_one
        load_const "b"
        push_one
        build_object 2
        len
        push_i8 77
        len
        push_nil
        len
        push_f32 2.5
        len
        get_local_1
        len
        build_array 8 0
        get_local_2
        call 2
        pop
        load_const "typeof:"
        push_nil
        typeof
        push_char 'c'
        typeof
        push_f32 1.0
        typeof
        push_one
        typeof
        load_const $two60
        typeof
        load_const "s"
        typeof
        build_object 0
        typeof
        build_array 0 0
        typeof
        push_one
        build_array 1 4
        typeof
        push_true
        typeof
        make_function $helper
        typeof
        get_builtin Console.WriteLine
        typeof
        get_property_l 1 "Get"
        typeof
        load_const $point
        typeof
        get_local_1
        typeof
        get_index_li 0 0
        typeof
        build_array 16 0
        get_local_2
        call 2
        pop
        load_const "repr:"
        load_const "hi"
        repr
        push_one
        push_one
        build_array 2 0
        repr
        get_builtin Console.WriteLine
        repr
        push_i8 42
        repr
        push_i8 -7
        repr
        push_true
        repr
        push_false
        repr
        build_array 7 0
        get_local_2
        call 2
        pop
        load_const "is_array:"
        build_array 0 0
        is_array
        build_object 0
        is_array
        push_one
        build_array 1 4
        is_array
        build_array 3 0
        get_local_2
        call 2
        pop
        load_const "is_object:"
        build_object 0
        is_object
        build_array 0 0
        is_object
        get_local_1
        is_object
        build_array 3 0
        get_local_2
        call 2
        pop
        load_const "is_nil:"
        push_nil
        is_nil
        push_false
        is_nil
        get_index_li 0 0
        is_nil
        push_i8 0
        is_nil
        build_array 4 0
        get_local_2
        call 2
        pop
        load_const "is_not_nil:"
        push_nil
        is_not_nil
        push_false
        is_not_nil
        get_index_li 0 0
        is_not_nil
        push_i8 0
        is_not_nil
        build_array 4 0
        get_local_2
        call 2
        pop
        return_nil
    .end
    return_nil
.end
