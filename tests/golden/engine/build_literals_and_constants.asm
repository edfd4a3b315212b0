; Literals and constants: OP_BUILD_OBJECT copies object and array values in,
; OP_BUILD_ARRAY keeps push order, a typed float array (kind 4) holds numbers as
; floats, OP_LOAD_CONST gives each execution its own string, and the immediates
; push what their operands say.
; expect-stdout: object: Bob [1, 2] size 2
; expect-stdout: after changing the source array: [1, 2] vs [9, 2]
; expect-stdout: array: [1, two, 3.5, nil, [], {}]
; expect-stdout: typed floats: [1, 2.5, -3] item type 4
; expect-stdout: strings: Hello hello
; expect-stdout: second run: hello
; expect-stdout: same text, equal: true
; expect-stdout: push_i8 0xFF: -1
; expect-stdout: push_char 0x41: A type 2
; expect-stdout: push_i16 -30000: -30000
; expect-stdout: push_i32 -2000000000: -2000000000
; expect-stdout: push_f32 0.1: 0.100000001490116
.main
    .const $main function "Main"
        ; slot 0: [1, 2], slot 1: the object
        push_one
        push_i8 2
        build_array 2 0
        set_local_0
        load_const "name"
        load_const "Bob"
        load_const "tags"
        get_local_0
        build_object 2
        set_local_1
        load_const "object: "
        call_builtin_1 Console.Write
        pop
        get_property_l 1 "name"
        load_const " "
        get_property_l 1 "tags"
        load_const " size "
        get_local_1
        len
        call_builtin_5 Console.WriteLine
        pop
        push_i8 9
        set_index_li 0 0
        load_const "after changing the source array: "
        get_property_l 1 "tags"
        load_const " vs "
        get_local_0
        call_builtin_4 Console.WriteLine
        pop
        load_const "array: "
        push_one
        load_const "two"
        push_f32 3.5
        push_nil
        build_array 0 0
        build_object 0
        build_array 6 0
        call_builtin_2 Console.WriteLine
        pop
        push_one
        push_f32 2.5
        push_i8 -3
        build_array 3 4
        set_local_2
        load_const "typed floats: "
        get_local_2
        load_const " item type "
        get_index_li 2 0
        typeof
        call_builtin_4 Console.WriteLine
        pop
        ; the same string constant twice: changing one copy leaves the other
        push_i8 0
        set_local_3
    again:
        load_const "hello"
        set_local 4
        load_const "hello"
        set_local 5
        cmp_jump_lc 3 eq 0 second
        push_char 'H'
        set_index_li 4 0
        load_const "strings: "
        get_local 4
        load_const " "
        get_local 5
        call_builtin_4 Console.WriteLine
        pop
        inc_local 3
        loop again
    second:
        load_const "second run: "
        get_local 4
        call_builtin_2 Console.WriteLine
        pop
        load_const "same text, equal: "
        get_local 4
        get_local 5
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "push_i8 0xFF: "
        push_i8 0xFF
        call_builtin_2 Console.WriteLine
        pop
        load_const "push_char 0x41: "
        push_char 0x41
        load_const " type "
        push_char 0x41
        typeof
        call_builtin_4 Console.WriteLine
        pop
        load_const "push_i16 -30000: "
        push_i16 -30000
        call_builtin_2 Console.WriteLine
        pop
        load_const "push_i32 -2000000000: "
        push_i32 -2000000000
        call_builtin_2 Console.WriteLine
        pop
        load_const "push_f32 0.1: "
        push_f32 0.1
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
