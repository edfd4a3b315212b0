; The fused compare-and-jump forms fall through when the comparison holds and jump
; when it fails; a cop above 5 always jumps; non-int pairs use the comparison routine.
; expect-stdout: ll 5 eq 5: through
; expect-stdout: ll 5 ne 5: jump
; expect-stdout: ll 5 lt 5: jump
; expect-stdout: ll 5 gt 5: jump
; expect-stdout: ll 5 le 5: through
; expect-stdout: ll 5 ge 5: through
; expect-stdout: ll 5 cop 6: jump
; expect-stdout: ll 5 cop 255: jump
; expect-stdout: ll 3 lt 5: through
; expect-stdout: ll 2^60 gt 5: through
; expect-stdout: ll 2.5 lt 5: through
; expect-stdout: ll "a" lt "b": through
; expect-stdout: ll "a" eq 5: jump
; expect-stdout: ll "a" ne 5: through
; expect-stdout: lc 5 eq 5: through
; expect-stdout: lc -3 lt -2: through
; expect-stdout: lc -3 gt -2: jump
; expect-stdout: lc 5.0 eq 5: through
; expect-stdout: lc 5 cop 9: jump
; expect-stdout: lc32 100000 eq 100000: through
; expect-stdout: lc32 -2147483648 lt -2147483647: through
; expect-stdout: lc32 2^60 gt 2147483647: through
; expect-stdout: lc32 5 cop 6: jump
.main
    .const $main function "Main"
        .const $two60 int 0x1000000000000000
        ; Say(label, jumped)
        .const $say function "Say" params=2
            get_local_0
            get_local_1
            jump_if_true jumped
            load_const "through"
            jump out
        jumped:
            load_const "jump"
        out:
            call_builtin_2 Console.WriteLine
            pop
            return_nil
        .end
        make_function $say
        set_local_0
        push_i8 5
        set_local_1
        push_i8 5
        set_local_2

        load_const "ll 5 eq 5: "
        push_true
        cmp_jump_ll 1 2 eq j1
        pop
        push_false
    j1:
        get_local_0
        call 2
        pop
        load_const "ll 5 ne 5: "
        push_true
        cmp_jump_ll 1 2 ne j2
        pop
        push_false
    j2:
        get_local_0
        call 2
        pop
        load_const "ll 5 lt 5: "
        push_true
        cmp_jump_ll 1 2 lt j3
        pop
        push_false
    j3:
        get_local_0
        call 2
        pop
        load_const "ll 5 gt 5: "
        push_true
        cmp_jump_ll 1 2 gt j4
        pop
        push_false
    j4:
        get_local_0
        call 2
        pop
        load_const "ll 5 le 5: "
        push_true
        cmp_jump_ll 1 2 le j5
        pop
        push_false
    j5:
        get_local_0
        call 2
        pop
        load_const "ll 5 ge 5: "
        push_true
        cmp_jump_ll 1 2 ge j6
        pop
        push_false
    j6:
        get_local_0
        call 2
        pop
        load_const "ll 5 cop 6: "
        push_true
        cmp_jump_ll 1 2 6 j7
        pop
        push_false
    j7:
        get_local_0
        call 2
        pop
        load_const "ll 5 cop 255: "
        push_true
        cmp_jump_ll 1 2 255 j8
        pop
        push_false
    j8:
        get_local_0
        call 2
        pop
        push_i8 3
        set_local_3
        load_const "ll 3 lt 5: "
        push_true
        cmp_jump_ll 3 1 lt j9
        pop
        push_false
    j9:
        get_local_0
        call 2
        pop
        load_const $two60
        set_local_3
        load_const "ll 2^60 gt 5: "
        push_true
        cmp_jump_ll 3 1 gt j10
        pop
        push_false
    j10:
        get_local_0
        call 2
        pop
        push_f32 2.5
        set_local_3
        load_const "ll 2.5 lt 5: "
        push_true
        cmp_jump_ll 3 1 lt j11
        pop
        push_false
    j11:
        get_local_0
        call 2
        pop
        load_const "a"
        set_local_3
        load_const "b"
        set_local 4
        load_const "ll \"a\" lt \"b\": "
        push_true
        cmp_jump_ll 3 4 lt j12
        pop
        push_false
    j12:
        get_local_0
        call 2
        pop
        load_const "ll \"a\" eq 5: "
        push_true
        cmp_jump_ll 3 1 eq j13
        pop
        push_false
    j13:
        get_local_0
        call 2
        pop
        load_const "ll \"a\" ne 5: "
        push_true
        cmp_jump_ll 3 1 ne j14
        pop
        push_false
    j14:
        get_local_0
        call 2
        pop

        load_const "lc 5 eq 5: "
        push_true
        cmp_jump_lc 1 eq 5 k1
        pop
        push_false
    k1:
        get_local_0
        call 2
        pop
        push_i8 -3
        set_local_3
        load_const "lc -3 lt -2: "
        push_true
        cmp_jump_lc 3 lt -2 k2
        pop
        push_false
    k2:
        get_local_0
        call 2
        pop
        load_const "lc -3 gt -2: "
        push_true
        cmp_jump_lc 3 gt -2 k3
        pop
        push_false
    k3:
        get_local_0
        call 2
        pop
        push_f32 5.0
        set_local_3
        load_const "lc 5.0 eq 5: "
        push_true
        cmp_jump_lc 3 eq 5 k4
        pop
        push_false
    k4:
        get_local_0
        call 2
        pop
        load_const "lc 5 cop 9: "
        push_true
        cmp_jump_lc 1 9 5 k5
        pop
        push_false
    k5:
        get_local_0
        call 2
        pop

        push_i32 100000
        set_local_3
        load_const "lc32 100000 eq 100000: "
        push_true
        cmp_jump_lc32 3 eq 100000 m1
        pop
        push_false
    m1:
        get_local_0
        call 2
        pop
        push_i32 -2147483648
        set_local_3
        load_const "lc32 -2147483648 lt -2147483647: "
        push_true
        cmp_jump_lc32 3 lt -2147483647 m2
        pop
        push_false
    m2:
        get_local_0
        call 2
        pop
        load_const $two60
        set_local_3
        load_const "lc32 2^60 gt 2147483647: "
        push_true
        cmp_jump_lc32 3 gt 2147483647 m3
        pop
        push_false
    m3:
        get_local_0
        call 2
        pop
        load_const "lc32 5 cop 6: "
        push_true
        cmp_jump_lc32 1 6 5 m4
        pop
        push_false
    m4:
        get_local_0
        call 2
        pop
        return_nil
    .end
    return_nil
.end
