; On a terminal, Clear wipes the screen (and its scroll-back) and homes the
; cursor; ClearLine wipes the cursor's row and returns to its first column (a
; carriage return, which only a pattern line can spell).
; tty: stdout
; expect-stdout-re: \{esc\}\[2J\{esc\}\[3J\{esc\}\[H\|\{esc\}\[2K\r\|
.main
    .const $main function "Main"
        call_builtin_0 Console.Clear
        pop
        push_char '|'
        call_builtin_1 Console.Write
        pop
        call_builtin_0 Console.ClearLine
        pop
        push_char '|'
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
