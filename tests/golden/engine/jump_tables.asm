; OP_JUMP_TABLE: selectors inside min..max pick their case, others and those past
; the case count take the default; chars select by code point; a table with no
; cases always takes the default.
; expect-stdout: -2 -> default
; expect-stdout: -1 -> case -1
; expect-stdout: 0 -> case 0
; expect-stdout: 2 -> case 2
; expect-stdout: 3 -> default
; expect-stdout: 2^60 -> default
; expect-stdout: 1 short -> case 1
; expect-stdout: 5 short -> default
; expect-stdout: b -> case b
; expect-stdout: d -> default
; expect-stdout: 98 -> case b
; expect-stdout: 0 empty -> default
.main
    .const $main function "Main"
        .const $two60 int 0x1000000000000000
        ; Wide(v): cases for -1..2
        .const $wide function "Wide" params=1
            get_local_0
            load_const " -> "
            call_builtin_2 Console.Write
            pop
            get_local_0
            jump_table -1 2 m1 c0 c1 c2 default other
        m1:
            load_const "case -1"
            jump out
        c0:
            load_const "case 0"
            jump out
        c1:
            load_const "case 1"
            jump out
        c2:
            load_const "case 2"
            jump out
        other:
            load_const "default"
        out:
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        ; Short(v): range 0..10 but only two cases
        .const $short function "Short" params=1
            get_local_0
            load_const " short -> "
            call_builtin_2 Console.Write
            pop
            get_local_0
            jump_table 0 10 c0 c1 default other
        c0:
            load_const "case 0"
            jump out
        c1:
            load_const "case 1"
            jump out
        other:
            load_const "default"
        out:
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        ; Letters(v): range 'a'..'c'
        .const $letters function "Letters" params=1
            get_local_0
            call_builtin_1 Console.Write
            pop
            get_local_0
            jump_table 97 99 ca cb cc default other
        ca:
            load_const " -> case a"
            jump out
        cb:
            load_const " -> case b"
            jump out
        cc:
            load_const " -> case c"
            jump out
        other:
            load_const " -> default"
        out:
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        .const $empty function "Empty" params=1
            get_local_0
            load_const " empty -> "
            call_builtin_2 Console.Write
            pop
            get_local_0
            jump_table 0 0 default other
            load_const "fell through"
            jump out
        other:
            load_const "default"
        out:
            call_builtin_1 Console.WriteLine
            pop
            return_nil
        .end
        make_function $wide
        set_local_0
        push_i8 -2
        get_local_0
        call 1
        pop
        push_i8 -1
        get_local_0
        call 1
        pop
        push_i8 0
        get_local_0
        call 1
        pop
        push_i8 2
        get_local_0
        call 1
        pop
        push_i8 3
        get_local_0
        call 1
        pop
        load_const "2^60"
        call_builtin_1 Console.Write
        pop
        load_const $two60
        set_local_1
        load_const " -> "
        call_builtin_1 Console.Write
        pop
        get_local_1
        jump_table -1 2 w0 w0 w0 w0 default w1
    w0:
        load_const "a case"
        jump w2
    w1:
        load_const "default"
    w2:
        call_builtin_1 Console.WriteLine
        pop
        push_one
        make_function $short
        call 1
        pop
        push_i8 5
        make_function $short
        call 1
        pop
        make_function $letters
        set_local_0
        push_char 'b'
        get_local_0
        call 1
        pop
        push_char 'd'
        get_local_0
        call 1
        pop
        push_i8 98
        make_function $letters
        call 1
        pop
        push_i8 0
        make_function $empty
        call 1
        pop
        return_nil
    .end
    return_nil
.end
