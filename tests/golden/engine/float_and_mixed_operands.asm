; Mixed operands: a float on either side gives a float; chars and bools are integral;
; char + char makes a string; + with a string or other value concatenates text forms.
; expect-stdout: 1 + 2.5 = 3.5 type 4
; expect-stdout: 2.5 - 1 = 1.5
; expect-stdout: 1.5 * 4 = 6 type 4
; expect-stdout: 1 / 4.0 = 0.25
; expect-stdout: 7.5 % 2 = 1.5
; expect-stdout: -7.5 % 2 = -1.5
; expect-stdout: 2.0 ^^ -1 = 0.5
; expect-stdout: 0.1 + 0.2 = 0.3
; expect-stdout: 1 / 3.0 = 0.333333333333333
; expect-stdout: -(2.5) = -2.5
; expect-stdout: 'a' + 1 = 98 type 8
; expect-stdout: true + true = 2 type 8
; expect-stdout: 'a' + 'b' = ab type 16
; expect-stdout: "a" + nil = anull
; expect-stdout: "a" + 1.0 = a1
; expect-stdout: "a" + 0.1 = a0.1
; expect-stdout: "a" + [] = a[array]
; expect-stdout: 1 + "a" = 1a
; expect-stdout: [1] + 2 = [1, 2]
; expect-stdout: [1] + [2, 3] = [1, 2, 3]
; expect-stdout: {a:1} + {b:2} has b: true
; expect-stdout: f32 3.9 = 3.90000009536743
; expect-stdout: local float add: 4
; expect-stdout: local float mul: 1.25
.main
    .const $main function "Main"
        load_const "1 + 2.5 = "
        push_one
        push_f32 2.5
        add
        dup
        set_local_0
        load_const " type "
        get_local_0
        typeof
        call_builtin_4 Console.WriteLine
        pop
        load_const "2.5 - 1 = "
        push_f32 2.5
        push_one
        sub
        call_builtin_2 Console.WriteLine
        pop
        load_const "1.5 * 4 = "
        push_f32 1.5
        push_i8 4
        mul
        dup
        set_local_0
        load_const " type "
        get_local_0
        typeof
        call_builtin_4 Console.WriteLine
        pop
        load_const "1 / 4.0 = "
        push_one
        push_f32 4.0
        div
        call_builtin_2 Console.WriteLine
        pop
        load_const "7.5 % 2 = "
        push_f32 7.5
        push_i8 2
        mod
        call_builtin_2 Console.WriteLine
        pop
        load_const "-7.5 % 2 = "
        push_f32 -7.5
        push_i8 2
        mod
        call_builtin_2 Console.WriteLine
        pop
        load_const "2.0 ^^ -1 = "
        push_f32 2.0
        push_minus_one
        pow
        call_builtin_2 Console.WriteLine
        pop
        .const $tenth float 0.1
        .const $fifth float 0.2
        load_const "0.1 + 0.2 = "
        load_const $tenth
        load_const $fifth
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "1 / 3.0 = "
        push_one
        push_f32 3.0
        div
        call_builtin_2 Console.WriteLine
        pop
        load_const "-(2.5) = "
        push_f32 2.5
        neg
        call_builtin_2 Console.WriteLine
        pop
        load_const "'a' + 1 = "
        push_char 'a'
        push_one
        add
        dup
        set_local_0
        load_const " type "
        get_local_0
        typeof
        call_builtin_4 Console.WriteLine
        pop
        load_const "true + true = "
        push_true
        push_true
        add
        dup
        set_local_0
        load_const " type "
        get_local_0
        typeof
        call_builtin_4 Console.WriteLine
        pop
        load_const "'a' + 'b' = "
        push_char 'a'
        push_char 'b'
        add
        dup
        set_local_0
        load_const " type "
        get_local_0
        typeof
        call_builtin_4 Console.WriteLine
        pop
        load_const "\"a\" + nil = "
        load_const "a"
        push_nil
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"a\" + 1.0 = "
        load_const "a"
        push_f32 1.0
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"a\" + 0.1 = "
        load_const "a"
        load_const $tenth
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"a\" + [] = "
        load_const "a"
        build_array 0 0
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "1 + \"a\" = "
        push_one
        load_const "a"
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1] + 2 = "
        push_one
        build_array 1 0
        push_i8 2
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1] + [2, 3] = "
        push_one
        build_array 1 0
        push_i8 2
        push_i8 3
        build_array 2 0
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "{a:1} + {b:2} has b: "
        load_const "a"
        push_one
        build_object 1
        load_const "b"
        push_i8 2
        build_object 1
        add
        load_const "b"
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "f32 3.9 = "
        push_f32 3.9
        call_builtin_2 Console.WriteLine
        pop
        ; fused forms with a float operand take the operator routine
        push_f32 1.5
        set_local_1
        push_f32 2.5
        set_local_2
        arith_local_local 1 add 2
        load_const "local float add: "
        get_local_1
        call_builtin_2 Console.WriteLine
        pop
        push_f32 2.5
        set_local_1
        push_f32 0.5
        arith_local_pop 1 mul
        load_const "local float mul: "
        get_local_1
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
