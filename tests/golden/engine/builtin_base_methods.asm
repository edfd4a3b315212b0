; A script class derived from the built-in Exception class reaches the native
; methods of its base: OP_GET_SUPER_CTOR binds the native constructor and
; OP_SUPER_CALL calls the native ToString with the instance as receiver.
; expect-stdout: My: MyError (code 5): bad
; expect-stdout: fields: 5 bad
; expect-stdout: instanceof Exception: true
.main
    .const $err class "MyError" base="Exception"
        .method "ToString" function "ToString" params=1
            .function_flags 2
            load_const "My: "
            super_call "ToString" 0
            concat
            return
        .end
        .method "Constructor" function "Constructor" params=3
            .function_flags 2
            get_local_1
            get_local_2
            get_super_ctor
            call 2
            pop
            return_nil
        .end
    .end
    .const $main function "Main"
        push_i8 5
        load_const "bad"
        get_global "MyError"
        new 2
        set_local_0
        get_local_0
        call_method "ToString" 0
        call_builtin_1 Console.WriteLine
        pop
        load_const "fields: "
        get_property_l 0 "Code"
        load_const " "
        get_property_l 0 "Error"
        call_builtin_4 Console.WriteLine
        pop
        load_const "instanceof Exception: "
        get_local_0
        get_global "Exception"
        instanceof
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    load_const $err
    define_global "MyError"
    return_nil
.end
