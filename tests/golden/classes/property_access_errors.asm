; Reading members through the class and writing fields of an instance. Reading
; an instance method through the class raises 21, a static method or a constant
; reads fine. Writing a name that is not a declared field (undeclared, a method,
; a constant) raises 24 and leaves the instance unchanged; an inherited field can
; be written.
; expect-stdout: instance method via class: caught 21: Attempt to call non-static method on class
; expect-stdout: inherited instance method via class: caught 21: Attempt to call non-static method on class
; expect-stdout: static method via class: returned static 5
; expect-stdout: constant via class: returned 3
; expect-stdout: undeclared field: caught 24: Instance field not declared - declare it with var/let in the class body
; expect-stdout: write over a method: caught 24: Instance field not declared - declare it with var/let in the class body
; expect-stdout: write over a constant: caught 24: Instance field not declared - declare it with var/let in the class body
; expect-stdout: inherited field: returned Instance: Pet, {9}
; expect-stdout: after the failed writes: Instance: Pet, {1}
.main
    .const $animal class "Animal"
        .field "Age" int 1
        .static "Legs" int 3
        .method "Speak" function "Speak" params=1
            .function_flags 2
            load_const "..."
            return
        .end
        .static "Make" function "Make" params=1
            .function_flags 4
            load_const "static "
            get_local_0
            concat
            return
        .end
    .end
    .const $pet class "Pet" base="Animal"
    .end
    .const $main function "Main"
        ; Probe(label, fn): calls fn inside a try statement and prints its result or
        ; the caught code and text
        .const $probe function "Probe" params=2
            get_local_0
            call_builtin_1 Console.Write
            pop
            try_begin caught 2 done
            get_local_1
            call 0
            load_const ": returned "
            call_builtin_1 Console.Write
            pop
            call_builtin_1 Console.WriteLine
            pop
            try_end
        caught:
            catch_store
            load_const ": caught "
            get_local_2
            get_property "Code"
            load_const ": "
            get_local_2
            get_property "Error"
            call_builtin_4 Console.WriteLine
            pop
            goto_finally
        done:
            finally_begin
            end_finally
            return_nil
        .end
        .const $method_via_class function "MethodViaClass"
            get_global "Animal"
            get_property "Speak"
            return
        .end
        .const $inherited_via_class function "InheritedViaClass"
            get_global "Pet"
            get_property "Speak"
            return
        .end
        .const $static_via_class function "StaticViaClass"
            push_i8 5
            get_global "Pet"
            get_property "Make"
            call 1
            return
        .end
        .const $constant_via_class function "ConstantViaClass"
            get_global "Pet"
            get_property "Legs"
            return
        .end
        .const $undeclared function "Undeclared"
            get_global "Shared"
            push_i8 2
            set_property "Weight"
            return_nil
        .end
        .const $over_method function "OverMethod"
            get_global "Shared"
            push_i8 2
            set_property "Speak"
            return_nil
        .end
        .const $over_constant function "OverConstant"
            get_global "Shared"
            push_i8 2
            set_property "Legs"
            return_nil
        .end
        .const $inherited_field function "InheritedField"
            get_global "Pet"
            new 0
            dup
            push_i8 9
            set_property "Age"
            return
        .end
        make_function $probe
        set_local_0
        get_global "Pet"
        new 0
        set_global "Shared"
        load_const "instance method via class"
        make_function $method_via_class
        get_local_0
        call 2
        pop
        load_const "inherited instance method via class"
        make_function $inherited_via_class
        get_local_0
        call 2
        pop
        load_const "static method via class"
        make_function $static_via_class
        get_local_0
        call 2
        pop
        load_const "constant via class"
        make_function $constant_via_class
        get_local_0
        call 2
        pop
        load_const "undeclared field"
        make_function $undeclared
        get_local_0
        call 2
        pop
        load_const "write over a method"
        make_function $over_method
        get_local_0
        call 2
        pop
        load_const "write over a constant"
        make_function $over_constant
        get_local_0
        call 2
        pop
        load_const "inherited field"
        make_function $inherited_field
        get_local_0
        call 2
        pop
        load_const "after the failed writes: "
        get_global "Shared"
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    load_const $animal
    define_global "Animal"
    load_const $pet
    define_global "Pet"
    push_nil
    define_global "Shared"
    return_nil
.end
