; The colour and cursor members follow the virtual-terminal flag, which a terminal
; on standard error alone sets: their sequences go to standard output even though
; it is a pipe. IsTTY looks at standard output only, and Clear, which works on
; the screen standard output shows, writes nothing.
; tty: stderr
; expect-stdout: false
; expect-stdout: {esc}[32m{esc}[s{esc}[u{esc}[3;4H|
.main
    .const $main function "Main"
        call_builtin_0 Console.IsTTY
        call_builtin_1 Console.WriteLine
        pop
        push_i8 2
        call_builtin_1 Console.SetColor
        pop
        call_builtin_0 Console.SaveCursor
        pop
        call_builtin_0 Console.RestoreCursor
        pop
        push_i8 3
        push_i8 4
        call_builtin_2 Console.SetCursor
        pop
        call_builtin_0 Console.Clear
        pop
        call_builtin_0 Console.ClearLine
        pop
        load_const "|"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
