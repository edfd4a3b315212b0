; OP_APPROX_EQ (1% relative tolerance on ints and floats only, ASCII case-insensitive
; strings), OP_COALESCE, and OP_CONTAINS on objects, strings and arrays; any other
; container gives false.
; expect-stdout: approx 100 ~ 101: true
; expect-stdout: approx 100 ~ 101.5: false
; expect-stdout: approx 0 ~ 0.000000001: true
; expect-stdout: approx inf ~ inf: true
; expect-stdout: approx inf ~ -inf: false
; expect-stdout: approx nan ~ nan: false
; expect-stdout: approx "HeLLo" ~ "hello": true
; expect-stdout: approx "hello" ~ "hell": false
; expect-stdout: approx 1 ~ "1": false
; expect-stdout: approx 'a' ~ 97: false
; expect-stdout: nil ?? 5 = 5
; expect-stdout: 0 ?? 5 = 0
; expect-stdout: false ?? 5 = false
; expect-stdout: {k:1} has "k": true
; expect-stdout: {k:1} has "x": false
; expect-stdout: {k:1} has 1: false
; expect-stdout: "hello" has "ell": true
; expect-stdout: "hello" has 'o': true
; expect-stdout: "hello" has "": true
; expect-stdout: "hello" has 'z': false
; expect-stdout: [1, "two", 3.0] has 3: true
; expect-stdout: [1, "two", 3.0] has "two": true
; expect-stdout: [1, "two", 3.0] has 2: false
; expect-stdout: 123 has 1: false
.main
    .const $main function "Main"
        .const $nano float 0.000000001
        .const $inf float inf
        .const $ninf float -inf
        load_const "approx 100 ~ 101: "
        push_i8 100
        push_i8 101
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx 100 ~ 101.5: "
        push_i8 100
        push_f32 101.5
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx 0 ~ 0.000000001: "
        push_i8 0
        load_const $nano
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx inf ~ inf: "
        load_const $inf
        push_f32 inf
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx inf ~ -inf: "
        load_const $inf
        load_const $ninf
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx nan ~ nan: "
        push_f32 nan
        push_f32 nan
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx \"HeLLo\" ~ \"hello\": "
        load_const "HeLLo"
        load_const "hello"
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx \"hello\" ~ \"hell\": "
        load_const "hello"
        load_const "hell"
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx 1 ~ \"1\": "
        push_one
        load_const "1"
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "approx 'a' ~ 97: "
        push_char 'a'
        push_i8 97
        approx_eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "nil ?? 5 = "
        push_nil
        push_i8 5
        coalesce
        call_builtin_2 Console.WriteLine
        pop
        load_const "0 ?? 5 = "
        push_i8 0
        push_i8 5
        coalesce
        call_builtin_2 Console.WriteLine
        pop
        load_const "false ?? 5 = "
        push_false
        push_i8 5
        coalesce
        call_builtin_2 Console.WriteLine
        pop
        load_const "k"
        push_one
        build_object 1
        set_local_0
        load_const "{k:1} has \"k\": "
        get_local_0
        load_const "k"
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "{k:1} has \"x\": "
        get_local_0
        load_const "x"
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "{k:1} has 1: "
        get_local_0
        push_one
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"hello\" has \"ell\": "
        load_const "hello"
        load_const "ell"
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"hello\" has 'o': "
        load_const "hello"
        push_char 'o'
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"hello\" has \"\": "
        load_const "hello"
        load_const ""
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"hello\" has 'z': "
        load_const "hello"
        push_char 'z'
        contains
        call_builtin_2 Console.WriteLine
        pop
        push_one
        load_const "two"
        push_f32 3.0
        build_array 3 0
        set_local_1
        load_const "[1, \"two\", 3.0] has 3: "
        get_local_1
        push_i8 3
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1, \"two\", 3.0] has \"two\": "
        get_local_1
        load_const "two"
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1, \"two\", 3.0] has 2: "
        get_local_1
        push_i8 2
        contains
        call_builtin_2 Console.WriteLine
        pop
        load_const "123 has 1: "
        push_i8 123
        push_one
        contains
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
