; Errors around construction and definitions: a constructor that raises unwinds
; through OP_NEW to the caller's handler, constructor arity counts the receiver,
; OP_EXPORT of a name not bound in the current scope and OP_MAKE_FUNCTION of a
; constant that is not a function raise code 6.
; expect-stdout: raising constructor: caught 1: Division by zero
; expect-stdout: too few constructor arguments: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: export of a bound name: returned nil
; expect-stdout: export of an unbound name: caught 6: Runtime-error
; expect-stdout: make_function of an int: caught 6: Runtime-error
; expect-stdout: after the errors: 2
; expect-stderr: Error: Function expects at least 2 arguments, got 1
.main
    .const $thing class "Thing"
        .field "V" int 0
        .method "Constructor" function "Constructor" params=2
            .function_flags 2
            get_local_1
            push_i8 0
            div
            set_this_field "V"
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
        .const $raising function "Raising"
            push_one
            push_i8 9
            get_global "Thing"
            new 1
            return
        .end
        .const $too_few function "TooFew"
            get_global "Thing"
            new 0
            return
        .end
        .const $export_bound function "ExportBound"
            export "Alias" "Thing"
            return_nil
        .end
        .const $export_unbound function "ExportUnbound"
            export "Alias" "Nope"
            return_nil
        .end
        .const $not_function function "NotFunction"
            .const $seven int 7
            make_function $seven
            return
        .end
        make_function $probe
        set_local_0
        load_const "raising constructor"
        make_function $raising
        get_local_0
        call 2
        pop
        load_const "too few constructor arguments"
        make_function $too_few
        get_local_0
        call 2
        pop
        load_const "export of a bound name"
        make_function $export_bound
        get_local_0
        call 2
        pop
        load_const "export of an unbound name"
        make_function $export_unbound
        get_local_0
        call 2
        pop
        load_const "make_function of an int"
        make_function $not_function
        get_local_0
        call 2
        pop
        load_const "after the errors: "
        push_one
        push_one
        add
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    load_const $thing
    define_global "Thing"
    return_nil
.end
