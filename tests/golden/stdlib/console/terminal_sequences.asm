; With standard output on a terminal, IsTTY is true and the colour and cursor
; members write their escape sequences: SetColor maps 1..7 to 30 + n and keeps
; 30..37, 90..97 and 0; SetBackground maps 1..7 to 40 + n and 30..37 to n + 10 and
; keeps 40..47, 100..107 and 0; other numbers and non-integers write nothing.
; SetCursor takes row then column, converts chars, bools and floats, and raises
; anything below 1 (or not a number) to 1.
; tty: stdout
; expect-stdout: true
; expect-stdout: {esc}[33m{esc}[93m{esc}[37m{esc}[0m|
; expect-stdout: {esc}[41m{esc}[41m{esc}[40m{esc}[107m{esc}[47m{esc}[0m|
; expect-stdout: {esc}[s{esc}[u{esc}[1;1H{esc}[5;65H{esc}[2;1H{esc}[1;1H|
.main
    .const $main function "Main"
        .const $float_row float 2.9
        call_builtin_0 Console.IsTTY
        call_builtin_1 Console.WriteLine
        pop
        push_i8 3
        call_builtin_1 Console.SetColor
        pop
        push_i8 93
        call_builtin_1 Console.SetColor
        pop
        push_i8 37
        call_builtin_1 Console.SetColor
        pop
        push_i8 8
        call_builtin_1 Console.SetColor
        pop
        push_i8 98
        call_builtin_1 Console.SetColor
        pop
        load_const "3"
        call_builtin_1 Console.SetColor
        pop
        load_const $float_row
        call_builtin_1 Console.SetColor
        pop
        push_i8 0
        call_builtin_1 Console.SetColor
        pop
        load_const "|"
        call_builtin_1 Console.WriteLine
        pop
        push_i8 31
        call_builtin_1 Console.SetBackground
        pop
        push_i8 1
        call_builtin_1 Console.SetBackground
        pop
        push_i8 40
        call_builtin_1 Console.SetBackground
        pop
        push_i8 107
        call_builtin_1 Console.SetBackground
        pop
        push_i8 7
        call_builtin_1 Console.SetBackground
        pop
        push_i8 90
        call_builtin_1 Console.SetBackground
        pop
        push_i8 8
        call_builtin_1 Console.SetBackground
        pop
        push_i8 0
        call_builtin_1 Console.SetBackground
        pop
        load_const "|"
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Console.SaveCursor
        pop
        call_builtin_0 Console.RestoreCursor
        pop
        push_i8 0
        push_i8 0
        call_builtin_2 Console.SetCursor
        pop
        push_i8 5
        push_char 'A'
        call_builtin_2 Console.SetCursor
        pop
        load_const $float_row
        push_true
        call_builtin_2 Console.SetCursor
        pop
        load_const "x"
        push_i8 -4
        call_builtin_2 Console.SetCursor
        pop
        load_const "|"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
