; Integer power goes through double pow and clamps to the int64 range; shift counts
; are taken modulo 64; bitwise operators work on all 64 bits.
; expect-stdout: 2 ^^ 10 = 1024
; expect-stdout: 2 ^^ 62 = 4611686018427387904
; expect-stdout: 2 ^^ 63 = 9223372036854775807
; expect-stdout: 10 ^^ 30 = 9223372036854775807
; expect-stdout: -2 ^^ 63 = -9223372036854775808
; expect-stdout: -10 ^^ 31 = -9223372036854775808
; expect-stdout: 2 ^^ -1 = 0
; expect-stdout: 0 ^^ -1 = 9223372036854775807
; expect-stdout: 0 ^^ 0 = 1
; expect-stdout: 3 ^^ 3 local = 27
; expect-stdout: 1 << 64 = 1
; expect-stdout: 1 << 65 = 2
; expect-stdout: 1 << 63 = -9223372036854775808
; expect-stdout: 1 << -1 = -9223372036854775808
; expect-stdout: 1 << 60 = 1152921504606846976
; expect-stdout: 2^62 << 1 = -9223372036854775808
; expect-stdout: -8 >> 1 = -4
; expect-stdout: -1 >> 200 = -1
; expect-stdout: min >> 63 = -1
; expect-stdout: 256 >> 68 = 16
; expect-stdout: 12 & 10 = 8
; expect-stdout: 12 | 10 = 14
; expect-stdout: 12 ^ 10 = 6
; expect-stdout: ~0 = -1
; expect-stdout: ~2^60 = -1152921504606846977
; expect-stdout: 'a' << 1 = 194
; expect-stdout: true | 2 = 3
.main
    .const $main function "Main"
        .const $min int 0x8000000000000000
        .const $two60 int 0x1000000000000000
        .const $two62 int 0x4000000000000000
        load_const "2 ^^ 10 = "
        push_i8 2
        push_i8 10
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "2 ^^ 62 = "
        push_i8 2
        push_i8 62
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "2 ^^ 63 = "
        push_i8 2
        push_i8 63
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "10 ^^ 30 = "
        push_i8 10
        push_i8 30
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "-2 ^^ 63 = "
        push_i8 -2
        push_i8 63
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "-10 ^^ 31 = "
        push_i8 -10
        push_i8 31
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "2 ^^ -1 = "
        push_i8 2
        push_minus_one
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "0 ^^ -1 = "
        push_i8 0
        push_minus_one
        pow
        call_builtin_2 Console.WriteLine
        pop
        load_const "0 ^^ 0 = "
        push_i8 0
        push_i8 0
        pow
        call_builtin_2 Console.WriteLine
        pop
        push_i8 3
        set_local_0
        arith_local_imm 0 pow 3
        load_const "3 ^^ 3 local = "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        load_const "1 << 64 = "
        push_one
        push_i8 64
        shl
        call_builtin_2 Console.WriteLine
        pop
        load_const "1 << 65 = "
        push_one
        push_i8 65
        shl
        call_builtin_2 Console.WriteLine
        pop
        load_const "1 << 63 = "
        push_one
        push_i8 63
        shl
        call_builtin_2 Console.WriteLine
        pop
        load_const "1 << -1 = "
        push_one
        push_minus_one
        shl
        call_builtin_2 Console.WriteLine
        pop
        load_const "1 << 60 = "
        push_one
        push_i8 60
        shl
        call_builtin_2 Console.WriteLine
        pop
        load_const "2^62 << 1 = "
        load_const $two62
        push_one
        shl
        call_builtin_2 Console.WriteLine
        pop
        load_const "-8 >> 1 = "
        push_i8 -8
        push_one
        shr
        call_builtin_2 Console.WriteLine
        pop
        load_const "-1 >> 200 = "
        push_minus_one
        push_i16 200
        shr
        call_builtin_2 Console.WriteLine
        pop
        load_const "min >> 63 = "
        load_const $min
        push_i8 63
        shr
        call_builtin_2 Console.WriteLine
        pop
        push_i16 256
        set_local_0
        arith_local_imm 0 shr 68
        load_const "256 >> 68 = "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        load_const "12 & 10 = "
        push_i8 12
        push_i8 10
        bit_and
        call_builtin_2 Console.WriteLine
        pop
        load_const "12 | 10 = "
        push_i8 12
        push_i8 10
        bit_or
        call_builtin_2 Console.WriteLine
        pop
        load_const "12 ^ 10 = "
        push_i8 12
        push_i8 10
        bit_xor
        call_builtin_2 Console.WriteLine
        pop
        load_const "~0 = "
        push_i8 0
        bit_not
        call_builtin_2 Console.WriteLine
        pop
        load_const "~2^60 = "
        load_const $two60
        bit_not
        call_builtin_2 Console.WriteLine
        pop
        load_const "'a' << 1 = "
        push_char 'a'
        push_one
        shl
        call_builtin_2 Console.WriteLine
        pop
        load_const "true | 2 = "
        push_true
        push_i8 2
        bit_or
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
