; A destructor that raises does not stop the program: the error is swallowed
; with a warning on stderr, the base class's destructor still runs, and the code
; after the release carries on.
; expect-stdout: dropping
; expect-stdout: Loud destructor
; expect-stdout: Quiet destructor
; expect-stdout: still running
; expect-stderr: Warning: [boundary] 'Destructor' callback raised (swallowed)
.main
    .const $quiet class "Quiet"
        .method "Destructor" function "Destructor" params=1
            .function_flags 2
            load_const "Quiet destructor"
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
    .end
    .const $loud class "Loud" base="Quiet"
        .method "Destructor" function "Destructor" params=1
            .function_flags 2
            load_const "Loud destructor"
            call_builtin_1 Console.WriteLine
            pop
            push_one
            push_i8 0
            div
            return
        .end
    .end
    .const $main function "Main"
        get_global "Loud"
        new 0
        set_local_0
        load_const "dropping"
        call_builtin_1 Console.WriteLine
        pop
        push_nil
        set_local_0
        load_const "still running"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    load_const $quiet
    define_global "Quiet"
    load_const $loud
    define_global "Loud"
    return_nil
.end
