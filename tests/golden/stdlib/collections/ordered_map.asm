; OrderedMap through its whole method list: keys, values and entries come back in
; insertion order, an update keeps the key's place, deleting at the head, middle
; and tail relinks the chain, and First and Last answer [key, value] pairs.
; run: --mem
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: [c, a, b, d]
; expect-stdout: [3, 10, 2, 4]
; expect-stdout: [[c, 3], [a, 10], [b, 2], [d, 4]]
; expect-stdout: 4
; expect-stdout: 10
; expect-stdout: nil
; expect-stdout: -1
; expect-stdout: true
; expect-stdout: false
; expect-stdout: true
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: [b]
; expect-stdout: [[b, 2], [5, five]]
; expect-stdout: [b, 2]
; expect-stdout: [5, five]
; expect-stdout: 2
; expect-stdout: true
; expect-stdout: []
; expect-stdout: nil
; expect-stdout:
; expect-stdout: === Memory Report ===
; expect-stdout-re:   Peak RSS \(OS\): +[0-9.]+ [KMG]?B
; expect-stdout:   Slab pool footprint:     128.00 KB  (1 slabs x 4096 objects x 32 bytes)
; expect-stdout-re:   Peak live objects: +[0-9]+
; expect-stdout-re:   Total objects created: +[0-9]+
; expect-stdout-re:   Heap allocated: +[0-9.]+ [KMG]?B  \(malloc cumulative\)
; expect-stdout:   Block regions at exit:   0  (0 B)
; expect-stdout:   Leaked objects:          0
; expect-stdout:
; expect-exit: 0
.main
    .const $main function "Main" locals=4
        call_builtin_0 Collections.OrderedMap
        set_local_0
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "First" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Last" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "c"
        push_i8 3
        call_method "Set" 2
        pop
        get_local_0
        load_const "a"
        push_i8 1
        call_method "Set" 2
        pop
        get_local_0
        load_const "b"
        push_i8 2
        call_method "Set" 2
        pop
        get_local_0
        load_const "d"
        push_i8 4
        call_method "Set" 2
        pop
        get_local_0
        load_const "a"
        push_i8 10
        call_method "Set" 2
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
        call_method "Entries" 0
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
        load_const "z"
        call_method "Get" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "z"
        push_i8 -1
        call_method "Get" 2
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "b"
        call_method "Has" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "z"
        call_method "Has" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "a"
        call_method "Delete" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "d"
        call_method "Delete" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "c"
        call_method "Delete" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "c"
        call_method "Delete" 1
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Keys" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 5
        load_const "five"
        call_method "Set" 2
        pop
        get_local_0
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "First" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Last" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Clear" 0
        pop
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Keys" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Last" 0
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
