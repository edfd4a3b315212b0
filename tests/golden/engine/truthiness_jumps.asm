; Truthiness as OP_JUMP_IF_FALSE, OP_JUMP_IF_TRUE and OP_NOT see it: nil, false, 0,
; 0.0, -0.0, the NUL char, "" and empty arrays and objects are falsy; NaN, functions
; and other values are truthy.
; expect-stdout: nil: falsy falsy true
; expect-stdout: false: falsy falsy true
; expect-stdout: true: truthy truthy false
; expect-stdout: 0: falsy falsy true
; expect-stdout: -1: truthy truthy false
; expect-stdout: 0.0: falsy falsy true
; expect-stdout: -0.0: falsy falsy true
; expect-stdout: nan: truthy truthy false
; expect-stdout: '\0': falsy falsy true
; expect-stdout: 'a': truthy truthy false
; expect-stdout: "": falsy falsy true
; expect-stdout: "0": truthy truthy false
; expect-stdout: []: falsy falsy true
; expect-stdout: [0]: truthy truthy false
; expect-stdout: {}: falsy falsy true
; expect-stdout: {a:0}: truthy truthy false
; expect-stdout: function: truthy truthy false
; expect-stdout: builtin: truthy truthy false
.main
    .const $main function "Main"
        ; Show(label, value): the verdict of jump_if_false, of jump_if_true, then !value
        .const $show function "Show" params=2
            get_local_0
            call_builtin_1 Console.Write
            pop
            get_local_1
            jump_if_false first_falsy
            load_const "truthy "
            jump second
        first_falsy:
            load_const "falsy "
        second:
            call_builtin_1 Console.Write
            pop
            get_local_1
            jump_if_true second_truthy
            load_const "falsy "
            jump third
        second_truthy:
            load_const "truthy "
        third:
            call_builtin_1 Console.Write
            pop
            get_local_1
            not
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        make_function $show
        set_local_0
        load_const "nil: "
        push_nil
        get_local_0
        call 2
        pop
        load_const "false: "
        push_false
        get_local_0
        call 2
        pop
        load_const "true: "
        push_true
        get_local_0
        call 2
        pop
        load_const "0: "
        push_i8 0
        get_local_0
        call 2
        pop
        load_const "-1: "
        push_minus_one
        get_local_0
        call 2
        pop
        load_const "0.0: "
        push_f32 0.0
        get_local_0
        call 2
        pop
        load_const "-0.0: "
        push_f32 -0.0
        get_local_0
        call 2
        pop
        load_const "nan: "
        push_f32 nan
        get_local_0
        call 2
        pop
        load_const "'\\0': "
        push_char 0
        get_local_0
        call 2
        pop
        load_const "'a': "
        push_char 'a'
        get_local_0
        call 2
        pop
        load_const "\"\": "
        load_const ""
        get_local_0
        call 2
        pop
        load_const "\"0\": "
        load_const "0"
        get_local_0
        call 2
        pop
        load_const "[]: "
        build_array 0 0
        get_local_0
        call 2
        pop
        load_const "[0]: "
        push_i8 0
        build_array 1 0
        get_local_0
        call 2
        pop
        load_const "{}: "
        build_object 0
        get_local_0
        call 2
        pop
        load_const "{a:0}: "
        load_const "a"
        push_i8 0
        build_object 1
        get_local_0
        call 2
        pop
        load_const "function: "
        get_local_0
        get_local_0
        call 2
        pop
        load_const "builtin: "
        get_builtin Console.WriteLine
        get_local_0
        call 2
        pop
        return_nil
    .end
    return_nil
.end
