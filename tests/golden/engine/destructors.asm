; Destructors run as soon as the last reference to an instance goes (a popped
; value, an overwritten local, a released array, a returning frame), most derived
; class first; an instance that its destructor stores elsewhere stays usable.
; expect-stdout: before overwrite
; expect-stdout: ~Sub a
; expect-stdout: ~Res a
; expect-stdout: after overwrite
; expect-stdout: ~Res b
; expect-stdout: after popping the array
; expect-stdout: ~Res c
; expect-stdout: after the call returned
; expect-stdout: ~Res keep
; expect-stdout: kept: keep
; expect-stdout: end of Main
.main
    .const $res class "Res"
        .field "Name" nil
        .method "Constructor" function "Constructor" params=2
            .function_flags 2
            get_local_1
            set_this_field "Name"
            return_nil
        .end
        .method "Destructor" function "Destructor" params=1
            .function_flags 2
            load_const "~Res "
            get_this_field "Name"
            call_builtin_2 Console.WriteLine
            pop
            ; "keep" stores itself in a global
            get_this_field "Name"
            load_const "keep"
            eq
            jump_if_false done
            get_local_0
            set_global "Kept"
        done:
            return_nil
        .end
    .end
    .const $sub class "Sub" base="Res"
        .method "Destructor" function "Destructor" params=1
            .function_flags 2
            load_const "~Sub "
            get_this_field "Name"
            call_builtin_2 Console.WriteLine
            pop
            return_nil
        .end
    .end
    .const $main function "Main"
        .const $scoped function "Scoped"
            load_const "c"
            get_global "Res"
            new 1
            set_local_0
            return_nil
        .end
        load_const "a"
        get_global "Sub"
        new 1
        set_local_0
        load_const "before overwrite"
        call_builtin_1 Console.WriteLine
        pop
        push_nil
        set_local_0
        load_const "after overwrite"
        call_builtin_1 Console.WriteLine
        pop
        load_const "b"
        get_global "Res"
        new 1
        build_array 1 0
        pop
        load_const "after popping the array"
        call_builtin_1 Console.WriteLine
        pop
        make_function $scoped
        call 0
        pop
        load_const "after the call returned"
        call_builtin_1 Console.WriteLine
        pop
        load_const "keep"
        get_global "Res"
        new 1
        pop
        load_const "kept: "
        get_global "Kept"
        get_property "Name"
        call_builtin_2 Console.WriteLine
        pop
        load_const "end of Main"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    load_const $res
    define_global "Res"
    load_const $sub
    define_global "Sub"
    push_nil
    define_global "Kept"
    return_nil
.end
