; ReadPassword reads one line, answers a line feed on standard output in place of
; the Enter key that was not echoed, and returns the text without its line end;
; at the end of input it returns the empty string.
; stdin: s3cret word
; expect-stdout:
; expect-stdout: [s3cret word]
; expect-stdout:
; expect-stdout: []
.main
    .const $main function "Main"
        call_builtin_0 Console.ReadPassword
        push_char '['
        call_builtin_1 Console.Write
        pop
        push_char ']'
        call_builtin_2 Console.WriteLine
        pop
        call_builtin_0 Console.ReadPassword
        push_char '['
        call_builtin_1 Console.Write
        pop
        push_char ']'
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
