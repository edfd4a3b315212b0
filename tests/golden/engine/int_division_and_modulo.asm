; Integer division truncates toward zero and the remainder takes the sign of the
; dividend, on immediate and heap operands; min / -1 and min % -1 do not trap.
; expect-stdout: 7 / -2 = -3
; expect-stdout: -7 / 2 = -3
; expect-stdout: 7 % -2 = 1
; expect-stdout: -7 % 2 = -1
; expect-stdout: -7 % -2 = -1
; expect-stdout: min / -1 = -9223372036854775808
; expect-stdout: min % -1 = 0
; expect-stdout: 2^62 / 2^61 = 2
; expect-stdout: -2^62 % 7 = -4
; expect-stdout: -2^60 / -1 = 1152921504606846976
; expect-stdout: local div -2: -3
; expect-stdout: local mod -2: 1
.main
    .const $main function "Main"
        .const $min int 0x8000000000000000
        .const $two62 int 0x4000000000000000
        .const $two61 int 0x2000000000000000
        .const $neg_two60 int -0x1000000000000000
        load_const "7 / -2 = "
        push_i8 7
        push_i8 -2
        div
        call_builtin_2 Console.WriteLine
        pop
        load_const "-7 / 2 = "
        push_i8 -7
        push_i8 2
        div
        call_builtin_2 Console.WriteLine
        pop
        load_const "7 % -2 = "
        push_i8 7
        push_i8 -2
        mod
        call_builtin_2 Console.WriteLine
        pop
        load_const "-7 % 2 = "
        push_i8 -7
        push_i8 2
        mod
        call_builtin_2 Console.WriteLine
        pop
        load_const "-7 % -2 = "
        push_i8 -7
        push_i8 -2
        mod
        call_builtin_2 Console.WriteLine
        pop
        load_const "min / -1 = "
        load_const $min
        push_minus_one
        div
        call_builtin_2 Console.WriteLine
        pop
        load_const "min % -1 = "
        load_const $min
        push_minus_one
        mod
        call_builtin_2 Console.WriteLine
        pop
        load_const "2^62 / 2^61 = "
        load_const $two62
        load_const $two61
        div
        call_builtin_2 Console.WriteLine
        pop
        load_const "-2^62 % 7 = "
        load_const $two62
        neg
        push_i8 7
        mod
        call_builtin_2 Console.WriteLine
        pop
        load_const "-2^60 / -1 = "
        load_const $neg_two60
        push_minus_one
        div
        call_builtin_2 Console.WriteLine
        pop
        ; the fused local forms follow the same rules
        push_i8 7
        set_local_0
        arith_local_imm 0 div -2
        load_const "local div -2: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        push_i8 7
        set_local_0
        push_i8 -2
        set_local_1
        arith_local_local 0 mod 1
        load_const "local mod -2: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
