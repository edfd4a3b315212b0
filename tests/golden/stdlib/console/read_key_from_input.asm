; ReadKey returns an object with Key, Char and IsSpecial: a plain byte is a
; one-letter Key with its char, a line feed is "Enter" with char code 10, a tab is
; "Tab" with code 9, none of them special. Without a terminal the keys come from
; standard input; at its end ReadKey gives nil.
; stdin: a
; stdin: 	b
; expect-stdout: a 97 false
; expect-stdout: Enter 10 false
; expect-stdout: Tab 9 false
; expect-stdout: b 98 false
; expect-stdout: Enter 10 false
; expect-stdout: nil
.main
    .const $main function "Main" locals=2
        push_i8 5
        set_local_0
    again:
        call_builtin_0 Console.ReadKey
        set_local_1
        get_local_1
        get_property "Key"
        push_char ' '
        get_local_1
        get_property "Char"
        to_int
        push_char ' '
        call_builtin_4 Console.Write
        pop
        get_local_1
        get_property "IsSpecial"
        call_builtin_1 Console.WriteLine
        pop
        dec_local 0
        cmp_jump_lc 0 eq 0 more     ; jumps while the count is not 0
        call_builtin_0 Console.ReadKey
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    more:
        loop again
    .end
    return_nil
.end
