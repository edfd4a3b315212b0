; A run through closures, classes, bound methods, caught errors, strings, objects,
; arrays and globals releases everything: --mem reports no leak and the status is
; Main's.
; run: --mem
; expect-stdout: done
; expect-stdout:
; expect-stdout: === Memory Report ===
; expect-stdout-re:   Peak RSS \(OS\): +[0-9.]+ [KMG]?B
; expect-stdout:   Slab pool footprint:     128.00 KB  (1 slabs x 4096 objects x 32 bytes)
; expect-stdout-re:   Peak live objects: +[0-9]+
; expect-stdout-re:   Total objects created: +[0-9]+
; expect-stdout-re:   Heap allocated: +[0-9.]+ [KMG]?B  \(malloc cumulative\)
; expect-stdout:   Block regions at exit:   0  (0 B)
; expect-stdout:   Leaked objects:          0
; expect-stdout:
; expect-exit: 0
.main
    .const $box class "Box"
        .field "Items" array
        .end
        .field "Weight" float 1.5
        .method "Constructor" function "Constructor" params=2
            .function_flags 2
            get_local_1
            set_this_field "Weight"
            return_nil
        .end
        .method "Add" function "Add" params=2
            .function_flags 2
            get_this_field "Items"
            set_local_2
            get_local_2
            len
            get_local_1
            set_index_l 2
            return_nil
        .end
    .end
    .const $main function "Main"
        .const $two60 int 0x1000000000000000
        .const $capture function "Capture"
            get_global "V"
            return
        .end
        .const $fails function "Fails"
            push_one
            push_i8 0
            div
            return
        .end
        ; heap numbers in locals, arrays, objects and globals
        load_const $two60
        set_local_0
        push_f32 2.5
        set_local_1
        get_local_0
        get_local_1
        build_array 2 0
        set_local_2
        load_const "k"
        get_local_0
        build_object 1
        set_local_3
        get_local_1
        define_global "F"
        push_f32 3.5
        set_global "F"
        ; closures holding heap values
        load_const "text"
        set_local 4
        make_closure $capture "V" 4
        call 0
        pop
        ; instances, methods and bound methods
        push_f32 9.5
        get_global "Box"
        new 1
        set_local 5
        get_local 5
        get_local_3
        call_method "Add" 1
        pop
        get_property_l 5 "Add"
        set_local 6
        get_local_2
        get_local 6
        call 1
        pop
        ; strings built and changed in place
        load_const "abc"
        get_local_0
        concat
        set_local 7
        push_char 'X'
        set_index_li 7 0
        ; a caught error
        try_begin caught 8 finally
        make_function $fails
        call 0
        pop
        try_end
    caught:
        catch_store
        goto_finally
    finally:
        finally_begin
        end_finally
        load_const "done"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    load_const $box
    define_global "Box"
    return_nil
.end
