; Classes: fields with defaults (an array default is cloned per instance), a
; constructor run by OP_NEW, inheritance through base="...", overriding, the
; base constructor (OP_GET_SUPER_CTOR), OP_SUPER_CALL, OP_CALL_THIS_METHOD, the
; this-field instructions, OP_BIND_THIS, static members and OP_INSTANCEOF.
; expect-stdout: Rex says woof!
; expect-stdout: name Rex, legs 4
; expect-stdout: generic: Tom says ...
; expect-stdout: tricks: [sit] []
; expect-stdout: age after Grow(3): 4
; expect-stdout: age after GrowBy(local 10): 14
; expect-stdout: bound helper sees Rex
; expect-stdout: hinted call: Rex says woof!
; expect-stdout: instanceof: true true false false
; expect-stdout: static Kind: animal
; expect-stdout: static method: made Zed
; expect-stdout: no constructor, arguments dropped: Instance: Plain, {0}
; expect-stdout: render: Instance: Dog, {Rex, 4, 14, [sit]}
; expect-stdout: len of an instance: 4
.main
    .const $animal class "Animal"
        .field "Name" string "?"
        .field "Legs" int 4
        .field "Age" int 0
        .static "Kind" string "animal"
        .method "Constructor" function "Constructor" params=2
            .function_flags 2
            get_local_1
            set_this_field "Name"
            return_nil
        .end
        .method "Sound" function "Sound" params=1
            .function_flags 2
            load_const "..."
            return
        .end
        ; Speak(): Name + " says " + this.Sound()
        .method "Speak" function "Speak" params=1
            .function_flags 2
            get_this_field "Name"
            load_const " says "
            call_this_method "Sound" 0
            concat_n 3
            return
        .end
        .method "Grow" function "Grow" params=1
            .function_flags 2
            arith_this_field_imm "Age" add 3
            return_nil
        .end
        .method "GrowBy" function "GrowBy" params=2
            .function_flags 2
            arith_this_field_l "Age" add 1
            return_nil
        .end
        ; Make(name): a static method, no receiver
        .static "Make" function "Make" params=1
            .function_flags 4
            get_local_0
            get_global "Animal"
            new 1
            return
        .end
    .end
    .const $dog class "Dog" base="Animal"
        .field "Tricks" array
        .end
        .method "Constructor" function "Constructor" params=2
            .function_flags 2
            get_local_1
            get_super_ctor
            call 1
            pop
            return_nil
        .end
        .method "Sound" function "Sound" params=1
            .function_flags 2
            load_const "woof"
            return
        .end
        .method "Speak" function "Speak" params=1
            .function_flags 2
            super_call "Speak" 0
            load_const "!"
            concat
            return
        .end
        ; BoundName(): binds a plain function to this and calls it
        .method "BoundName" function "BoundName" params=1
            .function_flags 2
            .const $name_of function "NameOf" params=1
                get_property_l 0 "Name"
                return
            .end
            make_function $name_of
            bind_this
            call 0
            return
        .end
    .end
    .const $plain class "Plain"
        .field "V" int 0
    .end
    .const $main function "Main"
        ; slot 0: a Dog, 1: an Animal, 2: another Dog
        load_const "Rex"
        get_global "Dog"
        new 1
        set_local_0
        get_local_0
        call_method "Speak" 0
        call_builtin_1 Console.WriteLine
        pop
        load_const "name "
        get_property_l 0 "Name"
        load_const ", legs "
        get_property_l 0 "Legs"
        call_builtin_4 Console.WriteLine
        pop
        load_const "Tom"
        get_global "Animal"
        new 1
        set_local_1
        load_const "generic: "
        get_local_1
        call_method "Speak" 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "Max"
        get_global "Dog"
        new 1
        set_local_2
        get_property_l 0 "Tricks"
        set_local_3
        load_const "sit"
        set_index_li 3 0
        load_const "tricks: "
        get_property_l 0 "Tricks"
        load_const " "
        get_property_l 2 "Tricks"
        call_builtin_4 Console.WriteLine
        pop
        get_local_0
        call_method "Grow" 0
        pop
        load_const "age after Grow(3): "
        get_property_l 0 "Age"
        push_one
        add
        call_builtin_2 Console.WriteLine
        pop
        push_one
        set_property_l 0 "Age"
        get_local_0
        push_i8 10
        call_method "GrowBy" 1
        pop
        load_const "age after GrowBy(local 10): "
        push_i8 3
        get_property_l 0 "Age"
        add
        call_builtin_2 Console.WriteLine
        pop
        push_i8 14
        set_local 4
        set_property_ll 0 "Age" 4
        load_const "bound helper sees "
        get_local_0
        call_method "BoundName" 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "hinted call: "
        get_local_0
        call_method_hint "Speak" 0 3
        call_builtin_2 Console.WriteLine
        pop
        load_const "instanceof: "
        get_local_0
        get_global "Dog"
        instanceof
        load_const " "
        get_local_0
        get_global "Animal"
        instanceof
        call_builtin_4 Console.Write
        pop
        load_const " "
        get_local_1
        get_global "Dog"
        instanceof
        load_const " "
        get_global "Dog"
        get_global "Dog"
        instanceof
        call_builtin_4 Console.WriteLine
        pop
        load_const "static Kind: "
        get_global "Dog"
        get_property "Kind"
        call_builtin_2 Console.WriteLine
        pop
        load_const "static method: made "
        get_global "Animal"
        load_const "Zed"
        call_method "Make" 1
        get_property "Name"
        call_builtin_2 Console.WriteLine
        pop
        load_const "no constructor, arguments dropped: "
        push_one
        push_i8 2
        get_global "Plain"
        new 2
        call_builtin_2 Console.WriteLine
        pop
        load_const "render: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        load_const "len of an instance: "
        get_local_0
        len
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    load_const $animal
    define_global "Animal"
    load_const $dog
    define_global "Dog"
    load_const $plain
    define_global "Plain"
    return_nil
.end
