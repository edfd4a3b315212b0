; Class reflection on a two-level hierarchy: construction by name with and without
; the constructor, lineage, names, member listings, field access and method reach.
; expect-stdout: Dog
; expect-stdout: [name, legs, tricks]
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: Animal
; expect-stdout: Rex says woof
; expect-stdout: animal
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: Rex says bound
; expect-stdout: [Speak]
; expect-stdout: [Kind]
; expect-stdout: []
; expect-stdout: [Constructor, Speak, Kind]
; expect-stdout: true
; expect-stdout: 3
; expect-stdout: false
; expect-stdout: nobody
; expect-stdout: nil
; expect-stdout: Unhandled exception! IP=254 Line: -1 Code: 3, Message: 'Invalid argument(s) - type or length mismatch'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=254, line=-1]
; expect-exit: 3
.main
    .const $animal class "Animal"
        .field "name" string "nobody"
        .field "legs" int 4
        .method "Constructor" function "Constructor" params=2
            .function_flags 2
            get_local_1
            set_this_field "name"
            return_nil
        .end
        .method "Speak" function "Speak" params=1
            .function_flags 2
            load_const "..."
            return
        .end
        .method "Kind" function "Kind" params=0
            .function_flags 4
            load_const "animal"
            return
        .end
    .end
    .const $dog class "Dog" base="Animal"
        .field "tricks" array
        .end
        .method "Speak" function "Speak" params=2
            .function_flags 2
            get_this_field "name"
            load_const " says "
            concat
            get_local_1
            concat
            return
        .end
    .end
    .const $main function "Main" locals=2
        load_const "Dog"
        load_const "Rex"
        call_builtin_2 Class.New
        set_local_0
        get_local_0
        call_builtin_1 Class.GetName
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Class.Fields
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        get_global "Animal"
        call_builtin_2 Class.InstanceOf
        call_builtin_1 Console.WriteLine
        pop
        get_global "Dog"
        get_global "Animal"
        call_builtin_2 Class.SubclassOf
        call_builtin_1 Console.WriteLine
        pop
        get_global "Animal"
        get_global "Dog"
        call_builtin_2 Class.SubclassOf
        call_builtin_1 Console.WriteLine
        pop
        get_global "Dog"
        call_builtin_1 Class.GetBase
        call_builtin_1 Class.Name
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "Speak"
        load_const "woof"
        call_builtin_3 Class.Invoke
        call_builtin_1 Console.WriteLine
        pop
        get_global "Dog"
        load_const "Kind"
        call_builtin_2 Class.Invoke
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "Kind"
        call_builtin_2 Class.Invoke
        call_builtin_1 Console.WriteLine
        pop
        get_global "Dog"
        load_const "Speak"
        call_builtin_2 Class.GetMethod
        call_builtin_1 Console.WriteLine
        pop
        load_const "bound"
        get_local_0
        load_const "Speak"
        call_builtin_2 Class.GetMethod
        call 1
        call_builtin_1 Console.WriteLine
        pop
        get_global "Dog"
        call_builtin_1 Class.InstanceMethods
        call_builtin_1 Console.WriteLine
        pop
        get_global "Animal"
        call_builtin_1 Class.StaticMethods
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Class.StaticMethods
        call_builtin_1 Console.WriteLine
        pop
        get_global "Dog"
        call_builtin_1 Class.AllMethods
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "legs"
        push_i8 3
        call_builtin_3 Class.SetField
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "legs"
        call_builtin_2 Class.GetField
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "wings"
        push_i8 2
        call_builtin_3 Class.SetField
        call_builtin_1 Console.WriteLine
        pop
        load_const "Animal"
        call_builtin_1 Class.Instantiate
        load_const "name"
        call_builtin_2 Class.GetField
        call_builtin_1 Console.WriteLine
        pop
        load_const "Unicorn"
        call_builtin_1 Class.Instantiate
        call_builtin_1 Console.WriteLine
        pop
        load_const "Animal"
        push_i8 1
        push_i8 2
        call_builtin_3 Class.New
        call_builtin_1 Console.WriteLine
        pop
        push_i8 9
        return
    .end
    load_const $animal
    define_global "Animal"
    load_const $dog
    define_global "Dog"
    return_nil
.end
