; get_builtin on a constant member pushes its value (an int or a float), which
; behaves like any other number.
; expect-stdout: 9633792 31 3.14159265358979 inf
; expect-stdout: int float
; expect-stdout: 9633824
.main
    .const $main function "Main"
        get_builtin Type.Callable
        push_char ' '
        get_builtin Console.ConsoleColor.Red
        push_char ' '
        get_builtin Math.PI
        call_builtin_5 Console.Write
        pop
        push_char ' '
        get_builtin Math.Infinity
        call_builtin_2 Console.WriteLine
        pop
        get_builtin Console.ConsoleColor.Red
        call_builtin_1 Type.Name
        push_char ' '
        get_builtin Math.PI
        call_builtin_1 Type.Name
        call_builtin_3 Console.WriteLine
        pop
        get_builtin Type.Callable
        get_builtin Type.Object
        bit_or
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
