; Three classes in a chain: each subclass redeclares a field of a class above
; it with a new default. The redeclared field keeps the inherited slot, so the
; instance has one slot per distinct name, in first-declaration order.
; expect-stdout: Instance: Top, {1, 2}
; expect-stdout: Instance: Mid, {10, 2, 3}
; expect-stdout: Instance: Leaf, {10, 20, 30, 4}
; expect-stdout: len: 2 3 4
.main
    .const $top class "Top"
        .field "A" int 1
        .field "B" int 2
    .end
    .const $mid class "Mid" base="Top"
        .field "A" int 10
        .field "C" int 3
    .end
    .const $leaf class "Leaf" base="Mid"
        .field "C" int 30
        .field "B" int 20
        .field "D" int 4
    .end
    .const $main function "Main"
        get_global "Top"
        new 0
        set_local_0
        get_global "Mid"
        new 0
        set_local_1
        get_global "Leaf"
        new 0
        set_local_2
        get_local_0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        call_builtin_1 Console.WriteLine
        pop
        load_const "len: "
        get_local_0
        len
        load_const " "
        get_local_1
        len
        call_builtin_4 Console.Write
        pop
        load_const " "
        get_local_2
        len
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    load_const $top
    define_global "Top"
    load_const $mid
    define_global "Mid"
    load_const $leaf
    define_global "Leaf"
    return_nil
.end
