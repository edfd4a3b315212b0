; FOREACH steps over arrays (items and indices), strings (one char per byte) and
; objects (keys and values); at the end both slots hold nil, so an empty array runs
; no body at all; any other collection raises code 3.
; expect-stdout: 0:10 1:20 2:nil 3:abc 
; expect-stdout: after: nil nil
; expect-stdout: h 
; expect-stdout: 0:h 1:Ã 2:© 
; expect-stdout: object sum 6 over 3 keys
; expect-stdout: k=v
; expect-stdout: empty: nil nil
; expect-stdout: Unhandled exception! IP=2 Line: -1 Code: 3, Message: 'foreach expects an array, string or object (got int)'
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   at <anon> [ip=205, line=-1]
; expect-stdout:   at <anon> [ip=2, line=-1]
; expect-exit: 3
.main
    .const $main function "Main"
        ; Each(collection): prints key:value for every step
        .const $each function "Each" params=1
            push_minus_one
            set_local_3
        top:
            foreach 1 2 0 3 done
            get_local_2
            load_const ":"
            get_local_1
            load_const " "
            call_builtin_4 Console.Write
            pop
            loop top
        done:
            load_const ""
            call_builtin_1 Console.WriteLine
            pop
            load_const "after: "
            get_local_1
            load_const " "
            get_local_2
            call_builtin_4 Console.WriteLine
            pop
            return_nil
        .end
        ; ValuesOnly(collection): no key slot
        .const $values_only function "ValuesOnly" params=1
            push_minus_one
            set_local_3
        top:
            foreach 1 none 0 3 done
            get_local_1
            load_const " "
            call_builtin_2 Console.Write
            pop
            loop top
        done:
            load_const ""
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        ; slot 0: the collection, 1: value, 2: key, 3: cursor, 4: sum, 5: count
        push_i8 10
        push_i8 20
        push_nil
        load_const "abc"
        build_array 4 0
        make_function $each
        call 1
        pop
        load_const "h"
        make_function $values_only
        call 1
        pop
        load_const "h\xC3\xA9"
        set_local_0
        push_minus_one
        set_local_3
    string_top:
        foreach 1 2 0 3 string_done
        get_local_2
        load_const ":"
        get_local_1
        load_const " "
        call_builtin_4 Console.Write
        pop
        loop string_top
    string_done:
        load_const ""
        call_builtin_1 Console.WriteLine
        pop
        load_const "a"
        push_one
        load_const "b"
        push_i8 2
        load_const "c"
        push_i8 3
        build_object 3
        set_local_0
        push_i8 0
        set_local 4
        push_i8 0
        set_local 5
        push_minus_one
        set_local_3
    object_top:
        foreach 1 2 0 3 object_done
        arith_local_local 4 add 1
        inc_local 5
        loop object_top
    object_done:
        load_const "object sum "
        get_local 4
        load_const " over "
        get_local 5
        load_const " keys"
        call_builtin_5 Console.WriteLine
        pop
        load_const "k"
        load_const "v"
        build_object 1
        set_local_0
        push_minus_one
        set_local_3
    one_top:
        foreach 1 2 0 3 one_done
        get_local_2
        load_const "="
        get_local_1
        call_builtin_3 Console.WriteLine
        pop
        loop one_top
    one_done:
        ; an empty array: the body never runs and both slots are cleared
        build_array 0 0
        set_local_0
        push_i8 99
        set_local_1
        push_i8 99
        set_local_2
        push_minus_one
        set_local_3
    empty_top:
        foreach 1 2 0 3 empty_done
        load_const "body ran"
        call_builtin_1 Console.WriteLine
        pop
        loop empty_top
    empty_done:
        load_const "empty: "
        get_local_1
        load_const " "
        get_local_2
        call_builtin_4 Console.WriteLine
        pop
        push_i8 5
        make_function $values_only
        call 1
        return
    .end
    return_nil
.end
