; Float results may land in a box only one holder can see; a box reached another way
; keeps its value: a caller's local passed as an argument, an object's entry after
; Object.Clone, a value still on the stack, an array element read into a local.
; expect-stdout: 3 6
; expect-stdout: 2.5 5
; expect-stdout: 1.5 9
; expect-stdout: 0.5 1
; expect-stdout: 7
.main
    .const $double function "double" params=1
        get_local_0
        load_const $two
        mul
        set_local_0            ; x = x * 2.0 inside the callee
        get_local_0
        return
        .const $two float 2.0
    .end
    .const $main function "Main" locals=6
        load_const $three
        set_local_0
        get_local_0
        call_global "double" 1
        set_local_1
        get_local_0
        push_char ' '
        get_local_1
        call_builtin_3 Console.WriteLine
        pop
        ; o.v = o.v * 2.0 after a clone took o's entries
        load_const "v"
        load_const $half5
        build_object 1
        set_local_2
        get_local_2
        call_builtin_1 Object.Clone
        set_local_3
        get_property_l 2 "v"
        load_const $two
        mul
        set_property_l 2 "v"
        get_property_l 3 "v"
        push_char ' '
        get_property_l 2 "v"
        call_builtin_3 Console.WriteLine
        pop
        ; y = y + y while y is also on the stack below
        load_const $one5
        set_local 4
        get_local 4
        get_local 4
        get_local 4
        add
        set_local 4
        push_char ' '
        get_local 4
        get_local 4
        get_local 4
        add
        add
        concat_n 3
        call_builtin_1 Console.WriteLine
        pop
        ; an array element copied into a local, then the local doubled
        load_const $half
        build_array 1 0
        set_local 5
        load_index_lli 4 5 0
        get_local 4
        load_const $two
        mul
        set_local 4
        get_index_li 5 0
        push_char ' '
        get_local 4
        call_builtin_3 Console.WriteLine
        pop
        push_i8 7
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
        .const $three float 3.0
        .const $two float 2.0
        .const $half5 float 2.5
        .const $one5 float 1.5
        .const $half float 0.5
    .end
    make_function $double
    define_global "double"
    return_nil
.end
