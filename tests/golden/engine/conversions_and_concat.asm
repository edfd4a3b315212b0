; OP_TO_INT, OP_TO_FLOAT, OP_TO_STRING and the width conversions, and the text
; forms that OP_CONCAT and CONCAT_N join.
; expect-stdout: to_int: 42 -17 0 3 -3 65 1 0 8
; expect-stdout: to_float: 2.5 3 0 -0.5 4
; expect-stdout: to_string: 3 0.1 1e+20 0 -2.5 null true é [array] [object] Helper 16
; expect-stdout: widths: -56 255 -25536 65535 -2147483648 4294967295 65 3 5 -1
; expect-stdout: concat: 1null
; expect-stdout: concat_n: x=3|2.5|null|true|A|[array]|[object]|Helper|-9223372036854775808|é
; expect-stdout: concat type: 16
.main
    .const $main function "Main"
        .const $big float 1e20
        .const $min int 0x8000000000000000
        .const $two60p5 int 0x1000000000000005
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
        make_function $show
        set_local_0
        load_const "to_int:"
        load_const "42"
        to_int
        load_const "-17xyz"
        to_int
        load_const "abc"
        to_int
        push_f32 3.9
        to_int
        push_f32 -3.9
        to_int
        push_char 'A'
        to_int
        push_true
        to_int
        push_nil
        to_int
        push_f32 3.9
        to_int
        typeof
        build_array 9 0
        get_local_0
        call 2
        pop
        load_const "to_float:"
        load_const "2.5"
        to_float
        push_i8 3
        to_float
        load_const "abc"
        to_float
        load_const "-0.5"
        to_float
        push_i8 3
        to_float
        typeof
        build_array 5 0
        get_local_0
        call 2
        pop
        load_const "to_string:"
        push_f32 3.0
        to_string
        .const $tenth float 0.1
        load_const $tenth
        to_string
        load_const $big
        to_string
        push_f32 -0.0
        to_string
        push_f32 -2.5
        to_string
        push_nil
        to_string
        push_true
        to_string
        push_char 0xE9
        to_string
        build_array 0 0
        to_string
        build_object 0
        to_string
        make_function $helper
        to_string
        push_one
        to_string
        typeof
        build_array 12 0
        get_local_0
        call 2
        pop
        load_const "widths:"
        push_i16 200
        to_i8
        push_minus_one
        to_u8
        push_i32 40000
        to_i16
        push_minus_one
        to_u16
        push_i32 -2147483648
        neg
        to_i32
        push_minus_one
        to_u32
        push_char 'A'
        to_u8
        push_f32 3.9
        to_i8
        load_const $two60p5
        to_u32
        push_i16 255
        to_i8
        build_array 10 0
        get_local_0
        call 2
        pop
        load_const "concat: "
        push_one
        push_nil
        concat
        call_builtin_2 Console.WriteLine
        pop
        load_const "concat_n: "
        load_const "x="
        push_i8 3
        load_const "|"
        push_f32 2.5
        load_const "|"
        push_nil
        load_const "|"
        push_true
        load_const "|"
        push_char 'A'
        load_const "|"
        build_array 0 0
        load_const "|"
        build_object 0
        load_const "|"
        make_function $helper
        concat_n 16
        load_const "|"
        load_const $min
        load_const "|"
        push_char 0xE9
        concat_n 5
        call_builtin_2 Console.WriteLine
        pop
        load_const "concat type: "
        push_one
        push_i8 2
        concat
        typeof
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
