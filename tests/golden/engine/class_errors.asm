; Class failures: writing an undeclared field (24), reading an instance method
; through the class (21), a super call with no base method (6, naming the receiver's
; type), a base constructor with no base (0), a property write into a non-object
; (0), and an override that changes a member's kind (6 after an error line).
; expect-stdout: undeclared field: caught 24: Instance field not declared - declare it with var/let in the class body
; expect-stdout: method through class: caught 21: Attempt to call non-static method on class
; expect-stdout: super without base method: caught 6: super: method not found on base class (got instance)
; expect-stdout: super ctor without base: caught 0: Null-pointer access
; expect-stdout: property on int: caught 0: Cannot set property on non-object (got int)
; expect-stdout: kind change: caught 6: Runtime-error
; expect-stderr: Error: Class member override changes kind (field/method/const mismatch).
.main
    .const $base class "Base"
        .field "X" int 1
        .method "Get" function "Get" params=1
            .function_flags 2
            get_this_field "X"
            return
        .end
        .method "Missing" function "Missing" params=1
            .function_flags 2
            super_call "Nope" 0
            return
        .end
        .method "Ctor" function "Ctor" params=1
            .function_flags 2
            get_super_ctor
            return
        .end
    .end
    .const $derived class "Derived" base="Base"
        .method "Missing" function "Missing" params=1
            .function_flags 2
            super_call "Nope" 0
            return
        .end
    .end
    .const $bad class "Bad" base="Base"
        .method "X" function "X" params=1
            .function_flags 2
            return_nil
        .end
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
        .const $undeclared function "Undeclared"
            get_global "Base"
            new 0
            push_one
            set_property "Y"
            return_nil
        .end
        .const $through_class function "ThroughClass"
            get_global "Base"
            get_property "Get"
            return
        .end
        .const $super_missing function "SuperMissing"
            get_global "Derived"
            new 0
            call_method "Missing" 0
            return
        .end
        .const $ctor_without_base function "CtorWithoutBase"
            get_global "Base"
            new 0
            call_method "Ctor" 0
            return
        .end
        .const $property_on_int function "PropertyOnInt"
            push_i8 5
            push_one
            set_property "X"
            return_nil
        .end
        .const $kind_change function "KindChange"
            get_global "Bad"
            new 0
            return
        .end
        make_function $probe
        set_local_0
        load_const "undeclared field"
        make_function $undeclared
        get_local_0
        call 2
        pop
        load_const "method through class"
        make_function $through_class
        get_local_0
        call 2
        pop
        load_const "super without base method"
        make_function $super_missing
        get_local_0
        call 2
        pop
        load_const "super ctor without base"
        make_function $ctor_without_base
        get_local_0
        call 2
        pop
        load_const "property on int"
        make_function $property_on_int
        get_local_0
        call 2
        pop
        load_const "kind change"
        make_function $kind_change
        get_local_0
        call 2
        pop
        return_nil
    .end
    load_const $base
    define_global "Base"
    load_const $derived
    define_global "Derived"
    load_const $bad
    define_global "Bad"
    return_nil
.end
