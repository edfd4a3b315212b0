; Binary members: varints (300 is AC 02, a negative takes ten bytes, a tenth byte
; with more than bit 63 is refused), both byte orders, sign extension, floats
; round-trip, and reads past the end give nil.
; expect-stdout: 32
; expect-stdout: 172
; expect-stdout: 2
; expect-stdout: 300
; expect-stdout: -1
; expect-stdout: 4660
; expect-stdout: 13330
; expect-stdout: 4294967294
; expect-stdout: -2
; expect-stdout: 1.5
; expect-stdout: 0.1
; expect-stdout: -1
; expect-stdout: 255
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: 9223372036854775807
; expect-stdout: nil
.main
    .const $main function "Main" locals=2
        .const $tenth float 0.1
        .const $max int 0x7FFFFFFFFFFFFFFF
        load_const "bin.dat"
        load_const "rw"
        call_builtin_2 Stream.Open
        set_local_0
        get_local_0
        push_i16 300
        call_builtin_2 Stream.WriteVarint
        pop
        get_local_0
        push_minus_one
        call_builtin_2 Stream.WriteVarint
        pop
        get_local_0
        push_i16 4660
        push_true
        call_builtin_3 Stream.WriteU16
        pop
        get_local_0
        push_i8 -2
        call_builtin_2 Stream.WriteU32
        pop
        get_local_0
        push_f32 1.5
        call_builtin_2 Stream.WriteF32
        pop
        get_local_0
        load_const $tenth
        push_true
        call_builtin_3 Stream.WriteF64
        pop
        get_local_0
        push_minus_one
        call_builtin_2 Stream.WriteU16
        pop
        get_local_0
        call_builtin_1 Stream.Size
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 0
        call_builtin_2 Stream.Seek
        pop
        get_local_0
        call_builtin_1 Stream.ReadU8
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadU8
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 0
        call_builtin_2 Stream.Seek
        pop
        get_local_0
        call_builtin_1 Stream.ReadVarint
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadVarint
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_true
        call_builtin_2 Stream.ReadU16
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 12
        call_builtin_2 Stream.Seek
        pop
        get_local_0
        call_builtin_1 Stream.ReadU16
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadU32
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 -4
        push_one
        call_builtin_3 Stream.Seek
        pop
        get_local_0
        call_builtin_1 Stream.ReadI32
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadF32
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_true
        call_builtin_2 Stream.ReadF64
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadI8
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadU8
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadU8
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_minus_one
        call_builtin_2 Stream.WriteU64
        pop
        get_local_0
        push_i16 255
        call_builtin_2 Stream.WriteU8
        pop
        get_local_0
        push_i8 2
        call_builtin_2 Stream.WriteU8
        pop
        get_local_0
        push_i8 -10
        push_one
        call_builtin_3 Stream.Seek
        pop
        get_local_0
        call_builtin_1 Stream.ReadVarint
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 -10
        push_one
        call_builtin_3 Stream.Seek
        pop
        get_local_0
        load_const $max
        call_builtin_2 Stream.WriteVarint
        pop
        get_local_0
        push_i8 -9
        push_one
        call_builtin_3 Stream.Seek
        pop
        get_local_0
        call_builtin_1 Stream.ReadVarint
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Stream.ReadU64
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
