; OP_MAKE_CONST marks a heap object so that storing it into a global with
; OP_SET_GLOBAL raises code 19 (immediates are left alone); OP_GUARD passes a value
; through and raises code 11 on nil; a typed float array literal refuses a string
; with code 22.
; expect-stdout: define of a const object: returned [1]
; expect-stdout: set_global of a const object: caught 19: Invalid assignment of const-object
; expect-stdout: set_global of a const int: returned 7
; expect-stdout: guard on 0: returned 0
; expect-stdout: guard on nil: caught 11: Guard-check
; expect-stdout: typed float array with a string: caught 22: Type mismatch: value incompatible with typed array element type
; expect-stdout: G after the failed set: 0
.main
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
        .const $define_const function "DefineConst"
            push_one
            build_array 1 0
            make_const
            define_global "Frozen"
            get_global "Frozen"
            return
        .end
        .const $set_const function "SetConst"
            push_one
            build_array 1 0
            make_const
            set_global "G"
            get_global "G"
            return
        .end
        .const $set_const_int function "SetConstInt"
            push_i8 7
            make_const
            set_global "H"
            get_global "H"
            return
        .end
        .const $guard_zero function "GuardZero"
            push_i8 0
            guard
            return
        .end
        .const $guard_nil function "GuardNil"
            push_nil
            guard
            return
        .end
        .const $typed_string function "TypedString"
            push_one
            load_const "2"
            push_f32 3.0
            build_array 3 4
            return
        .end
        make_function $probe
        set_local_0
        push_i8 0
        define_global "G"
        push_i8 0
        define_global "H"
        load_const "define of a const object"
        make_function $define_const
        get_local_0
        call 2
        pop
        load_const "set_global of a const object"
        make_function $set_const
        get_local_0
        call 2
        pop
        load_const "set_global of a const int"
        make_function $set_const_int
        get_local_0
        call 2
        pop
        load_const "guard on 0"
        make_function $guard_zero
        get_local_0
        call 2
        pop
        load_const "guard on nil"
        make_function $guard_nil
        get_local_0
        call 2
        pop
        load_const "typed float array with a string"
        make_function $typed_string
        get_local_0
        call 2
        pop
        load_const "G after the failed set: "
        get_global "G"
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
