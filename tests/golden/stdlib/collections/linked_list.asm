; LinkedList through its whole method list: pushes at both ends answer the
; receiver, pops and peeks at both ends answer nil when empty, and the nodes are
; reachable through _head (each node holds _val and _next). --mem shows that the
; node chain is released.
; run: --mem
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: 4
; expect-stdout: [1, 2, 3, 4]
; expect-stdout: 1
; expect-stdout: 4
; expect-stdout: 2
; expect-stdout: 4
; expect-stdout: 1
; expect-stdout: [2, 3]
; expect-stdout: 3
; expect-stdout: 2
; expect-stdout: nil
; expect-stdout: true
; expect-stdout: 0
; expect-stdout: again
; expect-stdout: 0
; expect-stdout: []
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
        call_builtin_0 Collections.LinkedList
        set_local_0
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PopFront" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PopBack" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PeekFront" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PeekBack" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 2
        call_method "PushBack" 1
        pop
        get_local_0
        push_i8 3
        call_method "PushBack" 1
        pop
        get_local_0
        push_i8 1
        call_method "PushFront" 1
        pop
        get_local_0
        push_i8 4
        call_method "PushBack" 1
        pop
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PeekFront" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PeekBack" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        get_property "_head"
        get_property "_next"
        get_property "_val"
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PopBack" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PopFront" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PopBack" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PopBack" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "PopBack" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "again"
        call_method "PushFront" 1
        pop
        get_local_0
        call_method "PeekBack" 0
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
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
