; Write joins its values with nothing and ends no line; WriteLine does the same
; and ends the line; WriteLines ends a line after every value. Ok, Warn and Error
; put their mark first and separate the values with one space.
; expect-stdout: ab12
; expect-stdout: xy3
; expect-stdout: first
; expect-stdout: [2]
; expect-stdout: nil
; expect-stdout: ✅ done 3 [1]
; expect-stdout: ⚠️ careful
; expect-stdout: ❌ failed nil true
.main
    .const $main function "Main"
        load_const "a"
        load_const "b"
        call_builtin_2 Console.Write
        pop
        push_one
        push_i8 2
        call_builtin_2 Console.WriteLine
        pop
        load_const "x"
        load_const "y"
        push_i8 3
        call_builtin_3 Console.WriteLine
        pop
        load_const "first"
        push_i8 2
        build_array 1 0
        push_nil
        call_builtin_3 Console.WriteLines
        pop
        load_const "done"
        push_i8 3
        push_one
        build_array 1 0
        call_builtin_3 Console.Ok
        pop
        load_const "careful"
        call_builtin_1 Console.Warn
        pop
        load_const "failed"
        push_nil
        push_true
        call_builtin_3 Console.Error
        pop
        return_nil
    .end
    return_nil
.end
