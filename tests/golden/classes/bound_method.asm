; Reading a method through an instance gives a bound method that remembers the
; instance. It can be called later with a plain call, sees later changes to the
; instance's fields, takes arguments, and keeps the instance alive after every
; other reference is gone.
; expect-stdout: read: <bound method>
; expect-stdout: called later: 2 + 40 = 42
; expect-stdout: after a field change: 5 + 40 = 45
; expect-stdout: local dropped, still: 5 + 1 = 6
; expect-stdout: end
.main
    .const $counter class "Counter"
        .field "N" int 2
        .method "AddTo" function "AddTo" params=2
            .function_flags 2
            get_this_field "N"
            load_const " + "
            get_local_1
            load_const " = "
            get_this_field "N"
            get_local_1
            add
            concat_n 5
            return
        .end
    .end
    .const $main function "Main"
        ; slot 0: the instance, slot 1: its bound AddTo
        get_global "Counter"
        new 0
        set_local_0
        get_property_l 0 "AddTo"
        set_local_1
        load_const "read: "
        get_local_1
        call_builtin_2 Console.WriteLine
        pop
        load_const "called later: "
        push_i8 40
        get_local_1
        call 1
        call_builtin_2 Console.WriteLine
        pop
        push_i8 5
        set_property_l 0 "N"
        load_const "after a field change: "
        push_i8 40
        get_local_1
        call 1
        call_builtin_2 Console.WriteLine
        pop
        push_nil
        set_local_0
        load_const "local dropped, still: "
        push_one
        get_local_1
        call 1
        call_builtin_2 Console.WriteLine
        pop
        push_nil
        set_local_1
        load_const "end"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    load_const $counter
    define_global "Counter"
    return_nil
.end
