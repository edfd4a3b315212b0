; ReadInt parses one line (at most 31 bytes of it) as a base-10 integer: signs and
; surrounding white space are accepted; trailing text, an empty line, no digits or
; a value out of range give nil, as does the end of input. The rest of a line
; longer than 31 bytes is left for the next read. Integers beyond the immediate
; range come back as heap ints and print the same.
; stdin: 42
; stdin: -7
; stdin: +5
; stdin:   12  
; stdin: 12abc
; stdin: 
; stdin: abc
; stdin: 99999999999999999999
; stdin: 1152921504606846976
; stdin: -9223372036854775808
; stdin: 1234567890123456789012345678901234
; expect-stdout: 42 int
; expect-stdout: -7 int
; expect-stdout: 5 int
; expect-stdout: 12 int
; expect-stdout: nil nil
; expect-stdout: nil nil
; expect-stdout: nil nil
; expect-stdout: nil nil
; expect-stdout: 1152921504606846976 int
; expect-stdout: -9223372036854775808 int
; expect-stdout: nil nil
; expect-stdout: 234 int
; expect-stdout: nil nil
.main
    .const $main function "Main" locals=2
        push_i8 13
        set_local_0
    again:
        call_builtin_0 Console.ReadInt
        set_local_1
        get_local_1
        push_char ' '
        get_local_1
        call_builtin_1 Type.Name
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
