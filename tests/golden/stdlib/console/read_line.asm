; ReadLine returns each line without its line feed, an empty line as the empty
; string, leading and trailing spaces kept, and nil once the input has ended.
; stdin: hello world
; stdin:
; stdin:   spaced  
; expect-stdout: [hello world]
; expect-stdout: []
; expect-stdout: [  spaced  ]
; expect-stdout: [nil]
; expect-stdout: [nil]
.main
    .const $main function "Main" locals=1
        push_i8 5
        set_local_0
    again:
        push_char '['
        call_builtin_0 Console.ReadLine
        push_char ']'
        call_builtin_3 Console.WriteLine
        pop
        dec_local 0
        cmp_jump_lc 0 eq 0 more     ; jumps while the count is not 0
        return_nil
    more:
        loop again
    .end
    return_nil
.end
