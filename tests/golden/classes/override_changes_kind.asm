; A subclass that redeclares an inherited member with another kind fails when
; the class is first resolved (here by new): an error line on stderr, then
; error code 6. Cases: a method redeclared as a field, a constant redeclared as
; a method; a subclass that keeps the kinds resolves fine.
; expect-stdout: method as field: caught 6: Runtime-error
; expect-stdout: constant as method: caught 6: Runtime-error
; expect-stdout: same kinds: Instance: Good, {7}
; expect-stderr: Error: Class member override changes kind (field/method/const mismatch).
; expect-stderr: Error: Class member override changes kind (field/method/const mismatch).
.main
    .const $shape class "Shape"
        .field "Sides" int 0
        .static "Unit" string "cm"
        .method "Area" function "Area" params=1
            .function_flags 2
            push_i8 0
            return
        .end
    .end
    .const $square class "Square" base="Shape"
        .field "Area" int 4
    .end
    .const $circle class "Circle" base="Shape"
        .method "Unit" function "Unit" params=1
            .function_flags 2
            load_const "mm"
            return
        .end
    .end
    .const $good class "Good" base="Shape"
        .field "Sides" int 7
        .static "Unit" string "m"
        .method "Area" function "Area" params=1
            .function_flags 2
            push_i8 1
            return
        .end
    .end
    .const $main function "Main"
        ; Probe(label, class): instantiates the class inside a try statement and
        ; prints the instance or the caught code and text
        .const $probe function "Probe" params=2
            get_local_0
            call_builtin_1 Console.Write
            pop
            try_begin caught 2 done
            load_const ": "
            get_local_1
            new 0
            call_builtin_2 Console.WriteLine
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
        make_function $probe
        set_local_0
        load_const "method as field"
        get_global "Square"
        get_local_0
        call 2
        pop
        load_const "constant as method"
        get_global "Circle"
        get_local_0
        call 2
        pop
        load_const "same kinds"
        get_global "Good"
        get_local_0
        call 2
        pop
        return_nil
    .end
    load_const $shape
    define_global "Shape"
    load_const $square
    define_global "Square"
    load_const $circle
    define_global "Circle"
    load_const $good
    define_global "Good"
    return_nil
.end
