; Each Type.Is* predicate is Type.Is with the mask of its name, tried on values
; that match and values that do not: a heap int is an int, a char is not a number,
; an Exception instance is an instance (not an exception object), a bound method
; is callable and a class is not.
; expect-stdout: IsInt true true false
; expect-stdout: IsFloat true false
; expect-stdout: IsNumber true true false
; expect-stdout: IsString true false
; expect-stdout: IsBool true false
; expect-stdout: IsChar true false
; expect-stdout: IsNil true false
; expect-stdout: IsArray true false
; expect-stdout: IsObject true false
; expect-stdout: IsFunction true false
; expect-stdout: IsCallable true true true false
; expect-stdout: IsInstance true false
; expect-stdout: IsClass true false
; expect-stdout: IsFiber false
; expect-stdout: IsStream false
; expect-stdout: IsBlock false
; expect-stdout: IsException false
; expect-stdout: IsModule false
.main
    .const $main function "Main"
        .const $heap_int int 0x1000000000000000
        .const $float float 0.5
        load_const "IsInt"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        push_i8 4
        call_builtin_1 Type.IsInt
        call_builtin_2 Console.Write
        pop
        push_char ' '
        load_const $heap_int
        call_builtin_1 Type.IsInt
        call_builtin_2 Console.Write
        pop
        push_char ' '
        load_const $float
        call_builtin_1 Type.IsInt
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsFloat"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        load_const $float
        call_builtin_1 Type.IsFloat
        call_builtin_2 Console.Write
        pop
        push_char ' '
        push_i8 4
        call_builtin_1 Type.IsFloat
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsNumber"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        push_i8 4
        call_builtin_1 Type.IsNumber
        call_builtin_2 Console.Write
        pop
        push_char ' '
        load_const $float
        call_builtin_1 Type.IsNumber
        call_builtin_2 Console.Write
        pop
        push_char ' '
        push_char 'c'
        call_builtin_1 Type.IsNumber
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsString"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        load_const "s"
        call_builtin_1 Type.IsString
        call_builtin_2 Console.Write
        pop
        push_char ' '
        push_char 'c'
        call_builtin_1 Type.IsString
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsBool"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        push_false
        call_builtin_1 Type.IsBool
        call_builtin_2 Console.Write
        pop
        push_char ' '
        push_i8 4
        call_builtin_1 Type.IsBool
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsChar"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        push_char 'c'
        call_builtin_1 Type.IsChar
        call_builtin_2 Console.Write
        pop
        push_char ' '
        load_const "s"
        call_builtin_1 Type.IsChar
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsNil"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        push_nil
        call_builtin_1 Type.IsNil
        call_builtin_2 Console.Write
        pop
        push_char ' '
        push_false
        call_builtin_1 Type.IsNil
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsArray"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        build_array 0 0
        call_builtin_1 Type.IsArray
        call_builtin_2 Console.Write
        pop
        push_char ' '
        build_object 0
        call_builtin_1 Type.IsArray
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsObject"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        build_object 0
        call_builtin_1 Type.IsObject
        call_builtin_2 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        new 0
        call_builtin_1 Type.IsObject
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsFunction"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        get_global "Main"
        call_builtin_1 Type.IsFunction
        call_builtin_2 Console.Write
        pop
        push_char ' '
        get_builtin Type.Of
        call_builtin_1 Type.IsFunction
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsCallable"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        get_global "Main"
        call_builtin_1 Type.IsCallable
        call_builtin_2 Console.Write
        pop
        push_char ' '
        get_builtin Type.Of
        call_builtin_1 Type.IsCallable
        call_builtin_2 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        new 0
        get_property "Name"
        call_builtin_1 Type.IsCallable
        call_builtin_2 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        call_builtin_1 Type.IsCallable
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsInstance"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        new 0
        call_builtin_1 Type.IsInstance
        call_builtin_2 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        call_builtin_1 Type.IsInstance
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsClass"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        call_builtin_1 Type.IsClass
        call_builtin_2 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        new 0
        call_builtin_1 Type.IsClass
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsFiber"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        build_object 0
        call_builtin_1 Type.IsFiber
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsStream"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        push_i8 4
        call_builtin_1 Type.IsStream
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsBlock"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        build_array 0 0
        call_builtin_1 Type.IsBlock
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsException"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        get_global "Exception"
        new 0
        call_builtin_1 Type.IsException
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        load_const "IsModule"
        call_builtin_1 Console.Write
        pop
        push_char ' '
        build_object 0
        call_builtin_1 Type.IsModule
        call_builtin_2 Console.Write
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        return_nil
    .end
    load_const $main
    define_global "Main"
    return_nil
.end
