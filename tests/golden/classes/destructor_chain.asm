; When the last reference to an instance goes, the destructor of every class in
; its chain runs, most derived first, each seeing the same instance; a class
; without its own destructor is skipped; the instance's fields are still there.
; expect-stdout: made
; expect-stdout: Child destructor sees Bo
; expect-stdout: Parent destructor sees Bo
; expect-stdout: released
; expect-stdout: Parent destructor sees Al
; expect-stdout: end
.main
    .const $parent class "Parent"
        .field "Name" string "?"
        .method "Destructor" function "Destructor" params=1
            .function_flags 2
            load_const "Parent destructor sees "
            get_this_field "Name"
            call_builtin_2 Console.WriteLine
            pop
            return_nil
        .end
    .end
    .const $middle class "Middle" base="Parent"
        .field "Extra" int 0
    .end
    .const $child class "Child" base="Middle"
        .method "Destructor" function "Destructor" params=1
            .function_flags 2
            load_const "Child destructor sees "
            get_this_field "Name"
            call_builtin_2 Console.WriteLine
            pop
            return_nil
        .end
    .end
    .const $main function "Main"
        get_global "Child"
        new 0
        set_local_0
        load_const "Bo"
        set_property_l 0 "Name"
        ; a second reference: dropping only one must not destroy it
        get_local_0
        set_local_1
        load_const "made"
        call_builtin_1 Console.WriteLine
        pop
        push_nil
        set_local_0
        push_nil
        set_local_1
        load_const "released"
        call_builtin_1 Console.WriteLine
        pop
        get_global "Parent"
        new 0
        dup
        load_const "Al"
        set_property "Name"
        pop
        load_const "end"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    load_const $parent
    define_global "Parent"
    load_const $middle
    define_global "Middle"
    load_const $child
    define_global "Child"
    return_nil
.end
