; The store rule: a heap number stored into a local, a global, an array or by
; FOREACH and the indexed loads is copied, so no two holders share one box. With
; --trace each rendering starts with the reference count: for each number its one
; holder plus the stack (the labels are fresh strings held by the stack alone).
; run: --trace
; expect-stdout:  Size of Object  32 bytes
; expect-stdout:  Size of FIFO    8192 bytes
; expect-stdout:  Size of Stack   32768 bytes
; expect-stdout:  Size of Fiber   1 kbytes
; expect-stdout:  Max slabs size: 131072 kbytes ...
; expect-stdout: R:1 local to local: R:2 1152921504606846976R:1  R:2 1152921504606846976
; expect-stdout: R:1 define_global: R:2 1152921504606846976R:1  R:2 1152921504606846976
; expect-stdout: R:1 set_global: R:2 2.5R:1  R:2 2.5
; expect-stdout: R:1 array item: R:2 2.5R:1  R:2 2.5
; expect-stdout: R:1 foreach value: R:2 2.5R:1  R:2 2.5
; expect-stdout: R:1 load_index_lli: R:2 2.5R:1  R:2 2.5
; expect-stdout: R:1 closure capture: R:3 1152921504606846976
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Info: No more work to do. Exit VM.
; expect-stderr: Info: Total VM idle time (ms): 0
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
.main
    .const $main function "Main"
        .const $two60 int 0x1000000000000000
        .const $peek function "Peek"
            get_global "V"
            return
        .end
        ; slot 0: 2^60, slot 2: 2.5
        load_const $two60
        set_local_0
        get_local_0
        set_local_1
        load_const "local to local: "
        get_local_0
        load_const " "
        get_local_1
        call_builtin_4 Console.WriteLine
        pop
        get_local_0
        define_global "G"
        load_const "define_global: "
        get_local_0
        load_const " "
        get_global "G"
        call_builtin_4 Console.WriteLine
        pop
        push_f32 2.5
        set_local_2
        get_local_2
        set_global "G"
        load_const "set_global: "
        get_local_2
        load_const " "
        get_global "G"
        call_builtin_4 Console.WriteLine
        pop
        get_local_2
        build_array 1 0
        set_local_3
        load_const "array item: "
        get_local_2
        load_const " "
        get_index_li 3 0
        call_builtin_4 Console.WriteLine
        pop
        push_minus_one
        set_local 5
        foreach 4 none 3 5 after
    after:
        load_const "foreach value: "
        get_local 4
        load_const " "
        get_index_li 3 0
        call_builtin_4 Console.WriteLine
        pop
        load_index_lli 6 3 0
        load_const "load_index_lli: "
        get_local 6
        load_const " "
        get_index_li 3 0
        call_builtin_4 Console.WriteLine
        pop
        ; a capture is a second reference to the same box, not a store
        load_const "closure capture: "
        make_closure $peek "V" 0
        call 0
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
