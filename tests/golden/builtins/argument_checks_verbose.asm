; With --verbose the too-many and wrong-type checks print their info lines,
; naming types as signature masks do (a flat float array is an array). The
; too-few line is an error line either way.
; run: --verbose
; expect-stdout: 3 3 3 3 3 3
; expect-stdout-re: \[Time\] Execution took [0-9.e+-]+ ms\. Idle time [0-9]+ms
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Error: Function expects at least 2 arguments, got 1
; expect-stderr: Info: Function expects at most 3 arguments, got 4
; expect-stderr: Info: Argument 1: expected int, got float
; expect-stderr: Info: Argument 1: expected int, got array
; expect-stderr: Info: Argument 1: expected int, got object
; expect-stderr: Info: Argument 2: expected int, got bool
; expect-stderr: Info: No more work to do. Exit VM.
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
.main
    .const $check function "Check" params=1 locals=2
        try_begin catch 1 finally
        get_local_0
        call 0
        pop
        try_end
    catch:
        catch_store
        get_local_1
        get_property "Code"
        call_builtin_1 Console.Write
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $few function "Few"
        push_one
        call_builtin_1 Type.Assert
        return
    .end
    .const $many function "Many"
        push_one
        push_one
        push_one
        push_one
        call_builtin_4 Type.Assert
        return
    .end
    .const $float function "Float"
        push_f32 1.5
        call_builtin_1 Type.NameOf
        return
    .end
    .const $typed function "Typed"
        push_f32 1.5
        build_array 1 4
        call_builtin_1 Type.NameOf
        return
    .end
    .const $object function "Object"
        build_object 0
        call_builtin_1 Type.NameOf
        return
    .end
    .const $bool function "Bool"
        push_one
        push_true
        call_builtin_2 Type.Is
        return
    .end
    .const $main function "Main"
        get_global "Few"
        call_global "Check" 1
        pop
        push_char ' '
        call_builtin_1 Console.Write
        pop
        get_global "Many"
        call_global "Check" 1
        pop
        push_char ' '
        call_builtin_1 Console.Write
        pop
        get_global "Float"
        call_global "Check" 1
        pop
        push_char ' '
        call_builtin_1 Console.Write
        pop
        get_global "Typed"
        call_global "Check" 1
        pop
        push_char ' '
        call_builtin_1 Console.Write
        pop
        get_global "Object"
        call_global "Check" 1
        pop
        push_char ' '
        call_builtin_1 Console.Write
        pop
        get_global "Bool"
        call_global "Check" 1
        pop
        push_char '\n'
        call_builtin_1 Console.Write
        pop
        return_nil
    .end
    make_function $check
    define_global "Check"
    make_function $few
    define_global "Few"
    make_function $many
    define_global "Many"
    make_function $float
    define_global "Float"
    make_function $typed
    define_global "Typed"
    make_function $object
    define_global "Object"
    make_function $bool
    define_global "Bool"
    return_nil
.end
