; The Type module's constants: one mask per type and the unions Number, Numeric,
; Callable and ObjectLike.
; expect-stdout: Nil 1
; expect-stdout: Bool 128
; expect-stdout: Char 2
; expect-stdout: Int 8
; expect-stdout: Float 4
; expect-stdout: String 16
; expect-stdout: Array 64
; expect-stdout: Object 32
; expect-stdout: Function 65536
; expect-stdout: BuiltinFunction 131072
; expect-stdout: FFIFunction 8388608
; expect-stdout: BoundMethod 1048576
; expect-stdout: Class 16777216
; expect-stdout: Instance 33554432
; expect-stdout: Module 262144
; expect-stdout: Fiber 4194304
; expect-stdout: Exception 524288
; expect-stdout: Stream 67108864
; expect-stdout: Block 256
; expect-stdout: Pointer 2097152
; expect-stdout: Number 12
; expect-stdout: Numeric 142
; expect-stdout: Callable 9633792
; expect-stdout: ObjectLike 50593824
.main
    .const $main function "Main"
        load_const "Nil "
        get_builtin Type.Nil
        call_builtin_2 Console.WriteLine
        pop
        load_const "Bool "
        get_builtin Type.Bool
        call_builtin_2 Console.WriteLine
        pop
        load_const "Char "
        get_builtin Type.Char
        call_builtin_2 Console.WriteLine
        pop
        load_const "Int "
        get_builtin Type.Int
        call_builtin_2 Console.WriteLine
        pop
        load_const "Float "
        get_builtin Type.Float
        call_builtin_2 Console.WriteLine
        pop
        load_const "String "
        get_builtin Type.String
        call_builtin_2 Console.WriteLine
        pop
        load_const "Array "
        get_builtin Type.Array
        call_builtin_2 Console.WriteLine
        pop
        load_const "Object "
        get_builtin Type.Object
        call_builtin_2 Console.WriteLine
        pop
        load_const "Function "
        get_builtin Type.Function
        call_builtin_2 Console.WriteLine
        pop
        load_const "BuiltinFunction "
        get_builtin Type.BuiltinFunction
        call_builtin_2 Console.WriteLine
        pop
        load_const "FFIFunction "
        get_builtin Type.FFIFunction
        call_builtin_2 Console.WriteLine
        pop
        load_const "BoundMethod "
        get_builtin Type.BoundMethod
        call_builtin_2 Console.WriteLine
        pop
        load_const "Class "
        get_builtin Type.Class
        call_builtin_2 Console.WriteLine
        pop
        load_const "Instance "
        get_builtin Type.Instance
        call_builtin_2 Console.WriteLine
        pop
        load_const "Module "
        get_builtin Type.Module
        call_builtin_2 Console.WriteLine
        pop
        load_const "Fiber "
        get_builtin Type.Fiber
        call_builtin_2 Console.WriteLine
        pop
        load_const "Exception "
        get_builtin Type.Exception
        call_builtin_2 Console.WriteLine
        pop
        load_const "Stream "
        get_builtin Type.Stream
        call_builtin_2 Console.WriteLine
        pop
        load_const "Block "
        get_builtin Type.Block
        call_builtin_2 Console.WriteLine
        pop
        load_const "Pointer "
        get_builtin Type.Pointer
        call_builtin_2 Console.WriteLine
        pop
        load_const "Number "
        get_builtin Type.Number
        call_builtin_2 Console.WriteLine
        pop
        load_const "Numeric "
        get_builtin Type.Numeric
        call_builtin_2 Console.WriteLine
        pop
        load_const "Callable "
        get_builtin Type.Callable
        call_builtin_2 Console.WriteLine
        pop
        load_const "ObjectLike "
        get_builtin Type.ObjectLike
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
