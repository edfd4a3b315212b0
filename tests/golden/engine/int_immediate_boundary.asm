; Integers past 2^60 become heap ints and behave exactly like immediate ones, on the
; inline paths and the fused forms alike; 64-bit arithmetic wraps.
; expect-stdout: 2^60-1 + 1 = 1152921504606846976
; expect-stdout: type 8
; expect-stdout: equal to the 2^60 constant: true
; expect-stdout: 2^60 - 1 = 1152921504606846975
; expect-stdout: -2^60 - 1 = -1152921504606846977
; expect-stdout: -(-2^60) = 1152921504606846976
; expect-stdout: 2^59 * 16 = -9223372036854775808
; expect-stdout: max + 1 = -9223372036854775808
; expect-stdout: 2^60 > 2^60-1: true
; expect-stdout: -2^60-1 < -2^60: true
; expect-stdout: inc_local: 1152921504606846976
; expect-stdout: dec_local: 1152921504606846975
; expect-stdout: arith_local_imm add: 1152921504606846976
; expect-stdout: arith_local_imm sub: 1152921504606846975
; expect-stdout: arith_top_imm mul: -6917529027641081856
.main
    .const $main function "Main"
        .const $max_imm int 0x0FFFFFFFFFFFFFFF
        .const $two60 int 0x1000000000000000
        .const $min_imm int -0x1000000000000000
        .const $two59 int 0x0800000000000000
        .const $max int 0x7FFFFFFFFFFFFFFF
        load_const "2^60-1 + 1 = "
        load_const $max_imm
        push_one
        add
        dup
        set_local_0
        call_builtin_2 Console.WriteLine
        pop
        load_const "type "
        get_local_0
        typeof
        call_builtin_2 Console.WriteLine
        pop
        load_const "equal to the 2^60 constant: "
        get_local_0
        load_const $two60
        eq
        call_builtin_2 Console.WriteLine
        pop
        load_const "2^60 - 1 = "
        get_local_0
        push_one
        sub
        call_builtin_2 Console.WriteLine
        pop
        load_const "-2^60 - 1 = "
        load_const $min_imm
        push_one
        sub
        call_builtin_2 Console.WriteLine
        pop
        load_const "-(-2^60) = "
        load_const $min_imm
        neg
        call_builtin_2 Console.WriteLine
        pop
        load_const "2^59 * 16 = "
        load_const $two59
        push_i8 16
        mul
        call_builtin_2 Console.WriteLine
        pop
        load_const "max + 1 = "
        load_const $max
        push_one
        add
        call_builtin_2 Console.WriteLine
        pop
        load_const "2^60 > 2^60-1: "
        get_local_0
        load_const $max_imm
        gt
        call_builtin_2 Console.WriteLine
        pop
        load_const "-2^60-1 < -2^60: "
        load_const $min_imm
        push_minus_one
        add
        load_const $min_imm
        lt
        call_builtin_2 Console.WriteLine
        pop
        ; the fused forms cross the boundary in both directions
        load_const $max_imm
        set_local_1
        inc_local 1
        load_const "inc_local: "
        get_local_1
        call_builtin_2 Console.WriteLine
        pop
        dec_local 1
        load_const "dec_local: "
        get_local_1
        call_builtin_2 Console.WriteLine
        pop
        arith_local_imm 1 add 1
        load_const "arith_local_imm add: "
        get_local_1
        call_builtin_2 Console.WriteLine
        pop
        arith_local_imm 1 sub 1
        load_const "arith_local_imm sub: "
        get_local_1
        call_builtin_2 Console.WriteLine
        pop
        load_const "arith_top_imm mul: "
        load_const $two60
        arith_top_imm mul 10
        call_builtin_2 Console.WriteLine
        pop
        push_nil
        return
    .end
    return_nil
.end
