; A closure's environment, the functions bound in the global scope and the fiber of an
; error nobody catches are all released before the --mem leak scan.
; run: --mem
; expect-stdout: 42
; expect-stdout: Unhandled exception! IP=20 Line: -1 Code: 1, Message: 'Division by zero'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=20, line=-1]
; expect-stdout:
; expect-stdout: === Memory Report ===
; expect-stdout-re:   Peak RSS \(OS\): .*
; expect-stdout:   Slab pool footprint:     128.00 KB  (1 slabs x 4096 objects x 32 bytes)
; expect-stdout-re:   Peak live objects: .*
; expect-stdout-re:   Total objects created: .*
; expect-stdout-re:   Heap allocated: .*
; expect-stdout:   Block regions at exit:   0  (0 B)
; expect-stdout:   Leaked objects:          0
; expect-stdout:
; expect-exit: 1
.main
    .const $adder function "MakeAdder" params=1
        .const $add function "Add" params=1
            get_local_0
            get_global "step"
            add
            return
        .end
        make_closure $add "step" 0
        return
    .end
    .const $main function "Main" locals=2
        push_i8 10
        call_global "MakeAdder" 1
        set_local_0
        push_i8 32
        get_local_0
        call 1
        call_builtin_1 Console.WriteLine
        pop
        push_i8 1
        push_i8 0
        div
        return
    .end
    make_function $adder
    define_global "MakeAdder"
    return_nil
.end
