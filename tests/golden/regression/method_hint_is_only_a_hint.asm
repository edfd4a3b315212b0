; A method-call hint names the expected slot of the member table; a wrong or
; out-of-range hint still finds the method by name. Field instructions on this read
; and update the instance's slots.
; expect-stdout: 5
; expect-stdout: 5
; expect-stdout: 5
; expect-stdout: 7
.main
    .const $counter class "Counter"
        .field "N" int 0
        .method "Get" function "Get" params=1
            .function_flags 2
            get_this_field "N"
            return
        .end
        .method "Bump" function "Bump" params=2
            .function_flags 2
            arith_this_field_l "N" add 1
            return_nil
        .end
    .end
    .const $main function "Main" locals=1
        get_global "Counter"
        new 0
        set_local_0
        get_local_0
        push_i8 5
        call_method "Bump" 1
        pop
        get_local_0
        call_method_hint "Get" 0 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method_hint "Get" 0 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method_hint "Get" 0 999
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 2
        call_method_hint "Bump" 1 2
        pop
        get_local_0
        call_method "Get" 0
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    load_const $counter
    define_global "Counter"
    return_nil
.end
