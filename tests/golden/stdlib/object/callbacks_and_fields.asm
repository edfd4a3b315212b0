; Object members that call back into script code, and the fields of instances and
; classes in slot order. Map order is seeded per process, so only order-free
; results are printed for objects.
; expect-stdout: 20
; expect-stdout: 2
; expect-stdout: false
; expect-stdout: 3
; expect-stdout: [string]
; expect-stdout: 106
; expect-stdout: initial
; expect-stdout: true
; expect-stdout: false
; expect-stdout: false
; expect-stdout: true
; expect-stdout: false
; expect-stdout: [x, y, z]
; expect-stdout: [10, 0, 30]
; expect-stdout: [[x, 10], [y, 0], [z, 30]]
; expect-stdout: 3
; expect-stdout: [0, 0, 0]
; expect-stdout: 3
; expect-exit: 0
.main
    .const $point class "Point"
        .field "x" int 0
        .field "y" int 0
        .field "z" int 0
    .end
    .const $main function "Main" locals=4
        .const $abc object
            pool "a"
            int 1
            pool "b"
            int 2
            pool "c"
            int 3
        .end
        .const $times10 function "Times10" params=2
            get_local_1
            push_i8 10
            mul
            return
        .end
        .const $odd function "Odd" params=2
            get_local_1
            push_i8 2
            mod
            push_i8 1
            eq
            return
        .end
        .const $above1 function "Above1" params=2
            get_local_1
            push_i8 1
            gt
            return
        .end
        .const $above3 function "Above3" params=2
            get_local_1
            push_i8 3
            gt
            return
        .end
        .const $shout function "Shout" params=1
            get_local_0
            load_const "!"
            concat
            return
        .end
        .const $sum function "Sum" params=3
            get_local_0
            get_local_2
            add
            return
        .end

        load_const $abc
        call_builtin_1 Object.Clone
        set_local_0
        ; Select: same keys, mapped values
        get_local_0
        load_const $times10
        call_builtin_2 Object.Select
        load_const "b"
        push_nil
        call_builtin_3 Object.TryGet
        call_builtin_1 Console.WriteLine
        pop
        ; Where keeps a and c
        get_local_0
        load_const $odd
        call_builtin_2 Object.Where
        set_local_1
        get_local_1
        call_builtin_1 Object.Count
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        load_const "b"
        call_builtin_2 Object.HasKey
        call_builtin_1 Console.WriteLine
        pop
        ; MapKeys with a script function, then with a builtin taking one argument
        get_local_0
        load_const $shout
        call_builtin_2 Object.MapKeys
        load_const "c!"
        push_nil
        call_builtin_3 Object.TryGet
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        get_builtin Type.Name
        call_builtin_2 Object.MapKeys
        call_builtin_1 Object.Keys
        call_builtin_1 Console.WriteLine
        pop
        ; Reduce over the values, and over an empty object
        get_local_0
        load_const $sum
        push_i8 100
        call_builtin_3 Object.Reduce
        call_builtin_1 Console.WriteLine
        pop
        build_object 0
        load_const $sum
        load_const "initial"
        call_builtin_3 Object.Reduce
        call_builtin_1 Console.WriteLine
        pop
        ; Any / All
        get_local_0
        load_const $above1
        call_builtin_2 Object.Any
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const $above3
        call_builtin_2 Object.Any
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const $above1
        call_builtin_2 Object.All
        call_builtin_1 Console.WriteLine
        pop
        build_object 0
        load_const $above1
        call_builtin_2 Object.All
        call_builtin_1 Console.WriteLine
        pop
        build_object 0
        load_const $above1
        call_builtin_2 Object.Any
        call_builtin_1 Console.WriteLine
        pop
        ; instance fields in slot order, whatever order they were set in
        load_const "Point"
        call_builtin_1 Class.Instantiate
        set_local_2
        get_local_2
        load_const "z"
        push_i8 30
        call_builtin_3 Class.SetField
        pop
        get_local_2
        load_const "x"
        push_i8 10
        call_builtin_3 Class.SetField
        pop
        get_local_2
        call_builtin_1 Object.Keys
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        call_builtin_1 Object.Values
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        call_builtin_1 Object.Entries
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        call_builtin_1 Object.Count
        call_builtin_1 Console.WriteLine
        pop
        get_global "Point"
        call_builtin_1 Object.Values
        call_builtin_1 Console.WriteLine
        pop
        ; a method the object lacks falls back to the Object module
        get_local_0
        call_method "Count" 0
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    load_const $point
    define_global "Point"
    return_nil
.end
