; Builtins as values: OP_GET_BUILTIN pushes a function row that renders by its
; qualified name and can be stored and called later through the generic call, or a
; module constant; OP_CALL_BUILTIN_0 .. _5 pass the top k values in push order.
; expect-stdout: value: Console.WriteLine type 131072
; expect-stdout: stored in a global and called by name
; expect-stdout: called from a local: 8
; expect-stdout: constant Type.Int: 8 type 8
; expect-stdout: call_builtin_0: false
; expect-stdout: 1
; expect-stdout: 12
; expect-stdout: 123
; expect-stdout: 1234
; expect-stdout: 12345
.main
    .const $main function "Main"
        load_const "value: "
        get_builtin Console.WriteLine
        load_const " type "
        get_builtin Console.WriteLine
        typeof
        call_builtin_4 Console.WriteLine
        pop
        get_builtin Console.WriteLine
        define_global "Say"
        load_const "stored in a global and called by name"
        call_global "Say" 1
        pop
        get_builtin Type.Of
        set_local_0
        load_const "called from a local: "
        push_i8 5
        get_local_0
        call 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "constant Type.Int: "
        get_builtin Type.Int
        load_const " type "
        get_builtin Type.Int
        typeof
        call_builtin_4 Console.WriteLine
        pop
        load_const "call_builtin_0: "
        call_builtin_0 Console.IsTTY
        call_builtin_2 Console.WriteLine
        pop
        push_one
        call_builtin_1 Console.WriteLine
        pop
        push_one
        push_i8 2
        call_builtin_2 Console.WriteLine
        pop
        push_one
        push_i8 2
        push_i8 3
        call_builtin_3 Console.WriteLine
        pop
        push_one
        push_i8 2
        push_i8 3
        push_i8 4
        call_builtin_4 Console.WriteLine
        pop
        push_one
        push_i8 2
        push_i8 3
        push_i8 4
        push_i8 5
        call_builtin_5 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
