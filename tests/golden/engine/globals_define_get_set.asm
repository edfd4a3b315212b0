; Globals: a miss reads nil silently, setting an unbound name only warns (with the
; name's hash), defining twice in one scope warns and rebinds, and a definition in
; a closure's scope warns when it hides a non-nil outer binding.
; expect-stdout: Counter = 1
; expect-stdout: Counter = 2
; expect-stdout: Unknown = nil
; expect-stdout: Nope = nil
; expect-stdout: Counter = 3
; expect-stdout: inner Counter = 10
; expect-stdout: inner Fresh = 7
; expect-stdout: outer Counter = 3
; expect-stdout: outer Fresh = nil
; expect-stderr: Warning: [Line 21] Attempt to set undefined variable with hash 629A74D3DF686250
; expect-stderr: Warning: [Line 22] Global 'Counter' already defined. Rebound.
; expect-stderr: Warning: Global 'Counter' shadows an outer definition.
.main
    .const $main function "Main"
        ; Inner: runs in its closure's scope, whose parent is the global scope
        .const $inner function "Inner"
            push_i8 10
            define_global "Counter"
            push_i8 20
            define_global "Empty"
            push_i8 7
            define_global "Fresh"
            load_const "inner Counter = "
            get_global "Counter"
            call_builtin_2 Console.WriteLine
            pop
            load_const "inner Fresh = "
            get_global "Fresh"
            call_builtin_2 Console.WriteLine
            pop
            return_nil
        .end
        load_const "Counter = "
        get_global "Counter"
        call_builtin_2 Console.WriteLine
        pop
        push_i8 2
        set_global "Counter"
        load_const "Counter = "
        get_global "Counter"
        call_builtin_2 Console.WriteLine
        pop
        load_const "Unknown = "
        get_global "Unknown"
        call_builtin_2 Console.WriteLine
        pop
        line 21
        push_i8 5
        set_global "Nope"
        line 22
        push_i8 3
        define_global "Counter"
        load_const "Nope = "
        get_global "Nope"
        call_builtin_2 Console.WriteLine
        pop
        load_const "Counter = "
        get_global "Counter"
        call_builtin_2 Console.WriteLine
        pop
        make_closure $inner
        call 0
        pop
        load_const "outer Counter = "
        get_global "Counter"
        call_builtin_2 Console.WriteLine
        pop
        load_const "outer Fresh = "
        get_global "Fresh"
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    ; top level: Counter starts at 1 and Empty is bound to nil
    push_one
    define_global "Counter"
    push_nil
    define_global "Empty"
    return_nil
.end
