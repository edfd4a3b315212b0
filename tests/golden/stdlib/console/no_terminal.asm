; Without a terminal (standard streams are pipes, input is empty): IsTTY and
; KeyPressed are false, TryReadChar, Size and GetCursor give nil, and the colour,
; cursor, clearing and raw-mode members write nothing at all.
; expect-stdout: false false nil nil nil
; expect-stdout: <>
.main
    .const $main function "Main"
        call_builtin_0 Console.IsTTY
        push_char ' '
        call_builtin_0 Console.KeyPressed
        push_char ' '
        call_builtin_0 Console.TryReadChar
        call_builtin_5 Console.Write
        pop
        push_char ' '
        call_builtin_0 Console.Size
        push_char ' '
        call_builtin_0 Console.GetCursor
        call_builtin_4 Console.WriteLine
        pop
        push_char '<'
        call_builtin_1 Console.Write
        pop
        push_i8 3
        call_builtin_1 Console.SetColor
        pop
        push_i8 31
        call_builtin_1 Console.SetBackground
        pop
        push_i8 0
        call_builtin_1 Console.SetColor
        pop
        call_builtin_0 Console.SaveCursor
        pop
        call_builtin_0 Console.RestoreCursor
        pop
        push_i8 2
        push_i8 3
        call_builtin_2 Console.SetCursor
        pop
        call_builtin_0 Console.Clear
        pop
        call_builtin_0 Console.ClearLine
        pop
        push_true
        call_builtin_1 Console.SetRaw
        pop
        push_false
        call_builtin_1 Console.SetRaw
        pop
        push_char '>'
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
