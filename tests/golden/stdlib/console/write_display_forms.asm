; WriteLine prints each value in its display form: nil, bools, ints (immediate and
; heap), floats with %.15g, chars as UTF-8 ("?" for a surrogate or a code point
; past U+10FFFF), strings with their backslash pairs decoded, arrays (flat float
; arrays too), objects, nested values and builtins. Objects here have a single
; key, since the order of several keys differs from run to run.
; expect-stdout: nil|true|false
; expect-stdout: 0|-42|1152921504606846975|1152921504606846976|-9223372036854775808
; expect-stdout: 1.5|0.1|0.333333333333333|1e+300|3|-0|inf|-inf|123456789012345
; expect-stdout: A|é|😀|?|?
; expect-stdout: plain|a
; expect-stdout: b|x	y|one\ back|"quoted"|\q kept|ends in \
; expect-stdout: [1, two, [3, 4]]|[]|[1.5, 2, 0.25]
; expect-stdout: {outer: {tags: [true, nil, {}]}}|{}
; expect-stdout: Console.WriteLine
.main
    .const $main function "Main"
        .const $big_imm int 1152921504606846975
        .const $big_heap int 1152921504606846976
        .const $min int -9223372036854775808
        .const $f15 float 1.5
        .const $f01 float 0.1
        .const $third float 0.3333333333333333
        .const $huge float 1e300
        .const $three float 3.0
        .const $negzero float -0.0
        .const $inf float inf
        .const $neginf float -inf
        .const $long float 123456789012345
        .const $s_newline string "a\\nb"
        .const $s_tab string "x\\ty"
        .const $s_backslash string "one\\\\ back"
        .const $s_quote string "\\\"quoted\\\""
        .const $s_other string "\\q kept"
        .const $s_trailing string "ends in \\"
        .const $arr array
            int 1
            string "two"
            array
                int 3
                int 4
            .end
        .end
        .const $empty_arr array
        .end
        .const $flat array flat
            1.5 2.0 0.25
        .end
        .const $obj object
            string "outer"
            object
                string "tags"
                array
                    bool true
                    nil
                    object
                    .end
                .end
            .end
        .end
        .const $empty_obj object
        .end
        push_nil
        push_char '|'
        push_true
        push_char '|'
        push_false
        call_builtin_5 Console.WriteLine
        pop
        push_i8 0
        push_char '|'
        push_i8 -42
        push_char '|'
        load_const $big_imm
        call_builtin_5 Console.Write
        pop
        push_char '|'
        load_const $big_heap
        push_char '|'
        load_const $min
        call_builtin_4 Console.WriteLine
        pop
        load_const $f15
        push_char '|'
        load_const $f01
        push_char '|'
        load_const $third
        call_builtin_5 Console.Write
        pop
        push_char '|'
        load_const $huge
        push_char '|'
        load_const $three
        push_char '|'
        call_builtin_5 Console.Write
        pop
        load_const $negzero
        push_char '|'
        load_const $inf
        push_char '|'
        load_const $neginf
        call_builtin_5 Console.Write
        pop
        push_char '|'
        load_const $long
        call_builtin_2 Console.WriteLine
        pop
        push_char 'A'
        push_char '|'
        push_char 233
        push_char '|'
        push_char 0x1F600
        call_builtin_5 Console.Write
        pop
        push_char '|'
        push_char 0xD800
        push_char '|'
        push_char 0x110000
        call_builtin_4 Console.WriteLine
        pop
        load_const "plain"
        push_char '|'
        load_const $s_newline
        push_char '|'
        load_const $s_tab
        call_builtin_5 Console.Write
        pop
        push_char '|'
        load_const $s_backslash
        push_char '|'
        load_const $s_quote
        call_builtin_4 Console.Write
        pop
        push_char '|'
        load_const $s_other
        push_char '|'
        load_const $s_trailing
        call_builtin_4 Console.WriteLine
        pop
        load_const $arr
        push_char '|'
        load_const $empty_arr
        push_char '|'
        load_const $flat
        call_builtin_5 Console.WriteLine
        pop
        load_const $obj
        push_char '|'
        load_const $empty_obj
        call_builtin_3 Console.WriteLine
        pop
        get_builtin Console.WriteLine
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
