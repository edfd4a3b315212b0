; HashMap and Set keyed by the value hash: strings, ints and arrays as keys, Get
; with and without a default, Delete and Remove answering whether something went,
; Add answering whether the element was new, and the Set algebra returning new
; Sets. Map order is seeded per process, so listings are printed only where they
; hold one entry.
; expect-stdout: 2
; expect-stdout: 2
; expect-stdout: 2
; expect-stdout: seven
; expect-stdout: nil
; expect-stdout: 0
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: false
; expect-stdout: [a]
; expect-stdout: [2]
; expect-stdout: 0
; expect-stdout: []
; expect-stdout: 10
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: true
; expect-stdout: true
; expect-stdout: 3
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: false
; expect-stdout: 2
; expect-stdout: 3
; expect-stdout: [3]
; expect-stdout: [1]
; expect-stdout: 2
; expect-stdout: true
; expect-stdout: []
; expect-stdout: Unhandled exception! IP=430 Line: -1 Code: 3, Message: 'Set operation expects another Set'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=430, line=-1]
; expect-exit: 3
.main
    .const $main function "Main" locals=4
        call_builtin_0 Collections.HashMap
        set_local_0
        get_local_0
        load_const "a"
        push_i8 1
        call_method "Set" 2
        pop
        get_local_0
        push_i8 7
        load_const "seven"
        call_method "Set" 2
        pop
        ; Set answers the receiver, so calls chain
        get_local_0
        load_const "a"
        push_i8 2
        call_method "Set" 2
        load_const "a"
        call_method "Get" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "a"
        call_method "Get" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 7
        call_method "Get" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "missing"
        call_method "Get" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "missing"
        push_i8 0
        call_method "Get" 2
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 7
        call_method "Has" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 7
        call_method "Delete" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 7
        call_method "Delete" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 7
        call_method "Has" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Keys" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Values" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Clear" 0
        pop
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Keys" 0
        call_builtin_1 Console.WriteLine
        pop
        ; HashMap(object) starts from a copy of the object's entries
        load_const "x"
        push_i8 10
        build_object 1
        call_builtin_1 Collections.HashMap
        set_local_0
        get_local_0
        load_const "x"
        call_method "Get" 1
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Collections.Set
        set_local_1
        get_local_1
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 1
        call_method "Add" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 1
        call_method "Add" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 2
        call_method "Add" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 3
        call_method "Add" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 2
        call_method "Has" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 2
        call_method "Remove" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 2
        call_method "Remove" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 2
        call_method "Has" 1
        call_builtin_1 Console.WriteLine
        pop
        ; Set(array) keeps the distinct elements
        push_i8 3
        push_i8 4
        push_i8 4
        build_array 3 0
        call_builtin_1 Collections.Set
        set_local_2
        get_local_2
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        get_local_2
        call_method "Union" 1
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        get_local_2
        call_method "Intersect" 1
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        get_local_2
        call_method "Difference" 1
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Clear" 0
        pop
        get_local_1
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        ; an operand that is not a Set
        get_local_1
        get_local_0
        call_method "Union" 1
        pop
        push_i8 0
        return
    .end
    return_nil
.end
