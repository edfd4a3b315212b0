; A field whose default is an array gets its own copy in every instance:
; changing an element of one instance's array leaves the other instance and the class
; default untouched, also for a field inherited from a base class.
; expect-stdout: first: [99, 2]
; expect-stdout: second: [1, 2]
; expect-stdout: third: [1, 2]
; expect-stdout: sub: [1, 7]
; expect-stdout: fresh: [1, 2]
.main
    .const $bag class "Bag"
        .field "Items" array
            int 1
            int 2
        .end
    .end
    .const $sub class "SubBag" base="Bag"
    .end
    .const $main function "Main"
        get_global "Bag"
        new 0
        set_local_0
        get_global "Bag"
        new 0
        set_local_1
        get_global "SubBag"
        new 0
        set_local_2
        ; slot 3: the first instance's array, slot 4: the sub instance's
        get_property_l 0 "Items"
        set_local_3
        push_i8 99
        set_index_li 3 0
        get_property_l 2 "Items"
        set_local 4
        push_i8 7
        set_index_li 4 1
        load_const "first: "
        get_property_l 0 "Items"
        call_builtin_2 Console.WriteLine
        pop
        load_const "second: "
        get_property_l 1 "Items"
        call_builtin_2 Console.WriteLine
        pop
        get_global "SubBag"
        new 0
        set_local 5
        load_const "third: "
        get_local 5
        get_property "Items"
        call_builtin_2 Console.WriteLine
        pop
        load_const "sub: "
        get_property_l 2 "Items"
        call_builtin_2 Console.WriteLine
        pop
        load_const "fresh: "
        get_global "Bag"
        new 0
        get_property "Items"
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    load_const $bag
    define_global "Bag"
    load_const $sub
    define_global "SubBag"
    return_nil
.end
