; Call failures: arity errors raise code 3 after their line (an info line on the fast
; path and for too many arguments, an error line for too few in the generic and
; builtin paths); a non-callable value or a missing method gives nil without an
; error; OP_CALL with no callee at all raises code 22.
; run: --verbose
; expect-stdout: fast too few: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: fast too many: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: call_global too few: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: method too few: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: builtin too few: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: builtin too many: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: non-callable: returned nil
; expect-stdout: call_fast of nothing: returned nil
; expect-stdout: call of nothing: caught 22: Type mismatch: value incompatible with typed array element type
; expect-stdout: missing method: returned nil
; expect-stdout: method on an int: returned nil
; expect-stdout: non-function property: returned nil
; expect-stdout-re: \[Time\] Execution took [0-9.]+ ms\. Idle time [0-9]+ms
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Info: Function expects at least 2 arguments, got 1
; expect-stderr: Info: Function expects at most 2 arguments, got 3
; expect-stderr: Info: Function expects at least 2 arguments, got 1
; expect-stderr: Error: Function expects at least 2 arguments, got 1
; expect-stderr: Error: Function expects at least 1 arguments, got 0
; expect-stderr: Info: Function expects at most 1 arguments, got 2
; expect-stderr: Info: Call to non-callable at line 30
; expect-stderr: Info: Call to non-callable at line -1
; expect-stderr: Error: [Line 40] Attempt to call non-function property 'Size' of type int
; expect-stderr: Info: No more work to do. Exit VM.
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
.main
    .const $main function "Main"
        ; Probe(label, fn): calls fn inside a try statement and prints its result or
        ; the caught code and text
        .const $probe function "Probe" params=2
            get_local_0
            call_builtin_1 Console.Write
            pop
            try_begin caught 2 done
            get_local_1
            call 0
            load_const ": returned "
            call_builtin_1 Console.Write
            pop
            call_builtin_1 Console.WriteLine
            pop
            try_end
        caught:
            catch_store
            load_const ": caught "
            get_local_2
            get_property "Code"
            load_const ": "
            get_local_2
            get_property "Error"
            call_builtin_4 Console.WriteLine
            pop
            goto_finally
        done:
            finally_begin
            end_finally
            return_nil
        .end
        .const $fast_few function "FastFew"
            push_one
            get_global "Add"
            call 1
            return
        .end
        .const $fast_many function "FastMany"
            push_one
            push_one
            push_one
            get_global "Add"
            call 3
            return
        .end
        .const $global_few function "GlobalFew"
            push_one
            call_global "Add" 1
            return
        .end
        .const $method_few function "MethodFew"
            get_global "Lib"
            push_one
            call_method "Add" 1
            return
        .end
        .const $builtin_few function "BuiltinFew"
            call_builtin_0 Console.WriteLine
            return
        .end
        .const $builtin_many function "BuiltinMany"
            push_one
            push_one
            call_builtin_2 Type.Of
            return
        .end
        .const $non_callable function "NonCallable"
            line 30
            push_one
            push_i8 5
            call 1
            return
        .end
        ; slot 0 holds an array whose first item was never written
        .const $fast_nothing function "FastNothing"
            build_array 0 0
            set_local_0
            push_one
            set_index_li 0 1
            push_one
            get_index_li 0 0
            call_fast 1
            return
        .end
        .const $call_nothing function "CallNothing"
            build_array 0 0
            set_local_0
            push_one
            set_index_li 0 1
            push_one
            get_index_li 0 0
            call 1
            return
        .end
        .const $missing_method function "MissingMethod"
            get_global "Lib"
            push_one
            call_method "Nope" 1
            return
        .end
        .const $int_method function "IntMethod"
            push_i8 5
            push_one
            call_method "Add" 1
            return
        .end
        .const $non_function function "NonFunction"
            line 40
            get_global "Lib"
            call_method "Size" 0
            return
        .end
        .const $add function "Add" params=2
            get_local_0
            get_local_1
            add
            return
        .end
        make_function $add
        define_global "Add"
        load_const "Add"
        make_function $add
        load_const "Size"
        push_i8 3
        build_object 2
        define_global "Lib"
        make_function $probe
        set_local_0
        load_const "fast too few"
        make_function $fast_few
        get_local_0
        call 2
        pop
        load_const "fast too many"
        make_function $fast_many
        get_local_0
        call 2
        pop
        load_const "call_global too few"
        make_function $global_few
        get_local_0
        call 2
        pop
        load_const "method too few"
        make_function $method_few
        get_local_0
        call 2
        pop
        load_const "builtin too few"
        make_function $builtin_few
        get_local_0
        call 2
        pop
        load_const "builtin too many"
        make_function $builtin_many
        get_local_0
        call 2
        pop
        load_const "non-callable"
        make_function $non_callable
        get_local_0
        call 2
        pop
        load_const "call_fast of nothing"
        make_function $fast_nothing
        get_local_0
        call 2
        pop
        load_const "call of nothing"
        make_function $call_nothing
        get_local_0
        call 2
        pop
        load_const "missing method"
        make_function $missing_method
        get_local_0
        call 2
        pop
        load_const "method on an int"
        make_function $int_method
        get_local_0
        call 2
        pop
        load_const "non-function property"
        make_function $non_function
        get_local_0
        call 2
        pop
        return_nil
    .end
    return_nil
.end
