; The 24 static code constants of Exception, read with get_property on the class
; (code 13 has none), and one read through an instance, which sees the class's
; static members too.
; expect-stdout: NullPtr 0
; expect-stdout: DivByZero 1
; expect-stdout: ModByZero 2
; expect-stdout: InvalidArguments 3
; expect-stdout: OutOfBounds 4
; expect-stdout: IOError 5
; expect-stdout: RuntimeError 6
; expect-stdout: InvalidState 7
; expect-stdout: OutOfMemory 8
; expect-stdout: InvalidMemoryAccess 9
; expect-stdout: SizeLimit 10
; expect-stdout: GuardCheck 11
; expect-stdout: StackError 12
; expect-stdout: UnsafeOperation 14
; expect-stdout: NestingError 15
; expect-stdout: IllegalInstruction 16
; expect-stdout: ExecOutOfMemory 17
; expect-stdout: OutOfFibers 18
; expect-stdout: ConstAssign 19
; expect-stdout: ChecksumError 20
; expect-stdout: ClassNonStaticCall 21
; expect-stdout: TypeMismatch 22
; expect-stdout: AssertionFailed 23
; expect-stdout: FieldUndeclared 24
; expect-stdout: instance DivByZero 1
.main
    .const $main function "Main"
        load_const "NullPtr "
        get_global "Exception"
        get_property "NullPtr"
        call_builtin_2 Console.WriteLine
        pop
        load_const "DivByZero "
        get_global "Exception"
        get_property "DivByZero"
        call_builtin_2 Console.WriteLine
        pop
        load_const "ModByZero "
        get_global "Exception"
        get_property "ModByZero"
        call_builtin_2 Console.WriteLine
        pop
        load_const "InvalidArguments "
        get_global "Exception"
        get_property "InvalidArguments"
        call_builtin_2 Console.WriteLine
        pop
        load_const "OutOfBounds "
        get_global "Exception"
        get_property "OutOfBounds"
        call_builtin_2 Console.WriteLine
        pop
        load_const "IOError "
        get_global "Exception"
        get_property "IOError"
        call_builtin_2 Console.WriteLine
        pop
        load_const "RuntimeError "
        get_global "Exception"
        get_property "RuntimeError"
        call_builtin_2 Console.WriteLine
        pop
        load_const "InvalidState "
        get_global "Exception"
        get_property "InvalidState"
        call_builtin_2 Console.WriteLine
        pop
        load_const "OutOfMemory "
        get_global "Exception"
        get_property "OutOfMemory"
        call_builtin_2 Console.WriteLine
        pop
        load_const "InvalidMemoryAccess "
        get_global "Exception"
        get_property "InvalidMemoryAccess"
        call_builtin_2 Console.WriteLine
        pop
        load_const "SizeLimit "
        get_global "Exception"
        get_property "SizeLimit"
        call_builtin_2 Console.WriteLine
        pop
        load_const "GuardCheck "
        get_global "Exception"
        get_property "GuardCheck"
        call_builtin_2 Console.WriteLine
        pop
        load_const "StackError "
        get_global "Exception"
        get_property "StackError"
        call_builtin_2 Console.WriteLine
        pop
        load_const "UnsafeOperation "
        get_global "Exception"
        get_property "UnsafeOperation"
        call_builtin_2 Console.WriteLine
        pop
        load_const "NestingError "
        get_global "Exception"
        get_property "NestingError"
        call_builtin_2 Console.WriteLine
        pop
        load_const "IllegalInstruction "
        get_global "Exception"
        get_property "IllegalInstruction"
        call_builtin_2 Console.WriteLine
        pop
        load_const "ExecOutOfMemory "
        get_global "Exception"
        get_property "ExecOutOfMemory"
        call_builtin_2 Console.WriteLine
        pop
        load_const "OutOfFibers "
        get_global "Exception"
        get_property "OutOfFibers"
        call_builtin_2 Console.WriteLine
        pop
        load_const "ConstAssign "
        get_global "Exception"
        get_property "ConstAssign"
        call_builtin_2 Console.WriteLine
        pop
        load_const "ChecksumError "
        get_global "Exception"
        get_property "ChecksumError"
        call_builtin_2 Console.WriteLine
        pop
        load_const "ClassNonStaticCall "
        get_global "Exception"
        get_property "ClassNonStaticCall"
        call_builtin_2 Console.WriteLine
        pop
        load_const "TypeMismatch "
        get_global "Exception"
        get_property "TypeMismatch"
        call_builtin_2 Console.WriteLine
        pop
        load_const "AssertionFailed "
        get_global "Exception"
        get_property "AssertionFailed"
        call_builtin_2 Console.WriteLine
        pop
        load_const "FieldUndeclared "
        get_global "Exception"
        get_property "FieldUndeclared"
        call_builtin_2 Console.WriteLine
        pop
        load_const "instance DivByZero "
        get_global "Exception"
        new 0
        get_property "DivByZero"
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
