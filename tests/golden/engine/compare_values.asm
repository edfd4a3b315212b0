; Comparison of mixed types: numbers compare by value, strings by bytes, arrays
; lexicographically; values of different types are only "not equal"; NaN is unordered
; except against the very same word.
; expect-stdout: 1 == 1.0: true
; expect-stdout: 2 > 1.5: true
; expect-stdout: 'b' > 97: true
; expect-stdout: "a" < "ab": true
; expect-stdout: "ab" < "b": true
; expect-stdout: "b" >= "ab": true
; expect-stdout: "abc" == "abc": true
; expect-stdout: [1, 2] < [1, 3]: true
; expect-stdout: [1] < [1, 0]: true
; expect-stdout: [1, 2] == [1, 2]: true
; expect-stdout: "1" != 1: true
; expect-stdout: "1" < 1: false
; expect-stdout: "1" == 1: false
; expect-stdout: {} == {}: false
; expect-stdout: {} != {}: true
; expect-stdout: nil == nil: true
; expect-stdout: nil <= nil: true
; expect-stdout: nan == nan: false
; expect-stdout: nan != nan: true
; expect-stdout: nan < 1: false
; expect-stdout: nan >= 1: false
; expect-stdout: same nan word == itself: true
; expect-stdout: 2^60 == 2^60.0: true
.main
    .const $main function "Main"
        .const $nan float nan
        .const $two60 int 0x1000000000000000
        .const $two60f float 1152921504606846976.0
        load_const "1 == 1.0: "
        push_one
        push_f32 1.0
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "2 > 1.5: "
        push_i8 2
        push_f32 1.5
        gt
        call_builtin_2 Console.WriteLine
        pop
        load_const "'b' > 97: "
        push_char 'b'
        push_i8 97
        gt
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"a\" < \"ab\": "
        load_const "a"
        load_const "ab"
        lt
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"ab\" < \"b\": "
        load_const "ab"
        load_const "b"
        lt
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"b\" >= \"ab\": "
        load_const "b"
        load_const "ab"
        ge
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"abc\" == \"abc\": "
        load_const "abc"
        load_const "abc"
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1, 2] < [1, 3]: "
        push_one
        push_i8 2
        build_array 2 0
        push_one
        push_i8 3
        build_array 2 0
        lt
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1] < [1, 0]: "
        push_one
        build_array 1 0
        push_one
        push_i8 0
        build_array 2 0
        lt
        call_builtin_2 Console.WriteLine
        pop
        load_const "[1, 2] == [1, 2]: "
        push_one
        push_i8 2
        build_array 2 0
        push_one
        push_i8 2
        build_array 2 0
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"1\" != 1: "
        load_const "1"
        push_one
        ne
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"1\" < 1: "
        load_const "1"
        push_one
        lt
        call_builtin_2 Console.WriteLine
        pop
        load_const "\"1\" == 1: "
        load_const "1"
        push_one
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "{} == {}: "
        build_object 0
        build_object 0
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "{} != {}: "
        build_object 0
        build_object 0
        ne
        call_builtin_2 Console.WriteLine
        pop
        load_const "nil == nil: "
        push_nil
        push_nil
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "nil <= nil: "
        push_nil
        push_nil
        le
        call_builtin_2 Console.WriteLine
        pop
        load_const "nan == nan: "
        push_f32 nan
        push_f32 nan
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "nan != nan: "
        push_f32 nan
        push_f32 nan
        ne
        call_builtin_2 Console.WriteLine
        pop
        load_const "nan < 1: "
        push_f32 nan
        push_one
        lt
        call_builtin_2 Console.WriteLine
        pop
        load_const "nan >= 1: "
        push_f32 nan
        push_one
        ge
        call_builtin_2 Console.WriteLine
        pop
        ; a float constant is pushed as the shared object: identical words are equal
        load_const "same nan word == itself: "
        load_const $nan
        dup
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "2^60 == 2^60.0: "
        load_const $two60
        load_const $two60f
        eq
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
