; Type.NameOf describes a mask: set bits by name joined with "|" in a fixed order,
; "[...]" around the element bits of an array mask, "array" for the array bit
; alone, "any" for all bits and "none" when no named bit is set (bound-method has
; no name in this list). With the array bit, all other bits are element bits.
; expect-stdout: int|float
; expect-stdout: [int]
; expect-stdout: [int|string]
; expect-stdout: array
; expect-stdout: none
; expect-stdout: any
; expect-stdout: nil
; expect-stdout: int|float|char|bool
; expect-stdout: function|builtin_function|ffi_function
; expect-stdout: object|instance|class|module
; expect-stdout: stream
; expect-stdout: fiber|pointer|exception
; expect-stdout: block
; expect-stdout: none
; expect-stdout: none
; expect-stdout: [nil|int|float|string|char|bool|object]
.main
    .const $main function "Main"
        push_i8 0xC
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0x48
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0x58
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0x40
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_minus_one
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i8 1
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        get_builtin Type.Numeric
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        get_builtin Type.Callable
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        get_builtin Type.ObjectLike
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        get_builtin Type.Stream
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i32 0x680000
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i16 0x100
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        get_builtin Type.BoundMethod
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i16 0x200
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        push_i32 0x4FF
        call_builtin_1 Type.NameOf
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
