; ReadFloat parses one line as a float with the C library's rules: exponents,
; signs, white space and "inf" are accepted; trailing text, no digits or a value
; out of range give nil, as does the end of input.
; stdin: 1.5
; stdin: 1e3
; stdin: -0.25
; stdin:  3 
; stdin: inf
; stdin: abc
; stdin: 2.5x
; stdin: 1e999
; stdin: 
; expect-stdout: 1.5 float
; expect-stdout: 1000 float
; expect-stdout: -0.25 float
; expect-stdout: 3 float
; expect-stdout: inf float
; expect-stdout: nil nil
; expect-stdout: nil nil
; expect-stdout: nil nil
; expect-stdout: nil nil
; expect-stdout: nil nil
.main
    .const $main function "Main" locals=2
        push_i8 10
        set_local_0
    again:
        call_builtin_0 Console.ReadFloat
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
