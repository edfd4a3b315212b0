; Stack and Queue through their whole method lists: Push and Enqueue answer the
; receiver (so calls chain), Pop takes the newest and Dequeue the oldest element,
; both answer nil when empty, and ToArray is a copy in insertion order.
; run: --mem
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: 3
; expect-stdout: [1, two, 3.5]
; expect-stdout: 3.5
; expect-stdout: 3.5
; expect-stdout: two
; expect-stdout: false
; expect-stdout: [1, 7, 8]
; expect-stdout: 0
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: 3
; expect-stdout: a
; expect-stdout: a
; expect-stdout: [b, c]
; expect-stdout: false
; expect-stdout: true
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
        call_builtin_0 Collections.Stack
        set_local_0
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Pop" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 1
        call_method "Push" 1
        pop
        get_local_0
        load_const "two"
        call_method "Push" 1
        pop
        get_local_0
        push_f32 3.5
        call_method "Push" 1
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
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Pop" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Pop" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        push_i8 7
        call_method "Push" 1
        push_i8 8
        call_method "Push" 1
        call_method "ToArray" 0
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
        call_method "Pop" 0
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Collections.Queue
        set_local_1
        get_local_1
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        load_const "a"
        call_method "Enqueue" 1
        pop
        get_local_1
        load_const "b"
        call_method "Enqueue" 1
        pop
        get_local_1
        load_const "c"
        call_method "Enqueue" 1
        pop
        get_local_1
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "IsEmpty" 0
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
        push_i8 0
        return
    .end
    return_nil
.end
