; The Debug module: reference counts, assertions (code 23 with the caller's text),
; the value-stack pointer, the source position, value and stack dumps.
; expect-stdout: refs: array 1, shared 2, int -1
; expect-stdout: assert: true true
; expect-stdout: assert 1 == 2: 23 one is not two
; expect-stdout: assert true: true
; expect-stdout: assert false: 23 Assertion failed
; expect-stdout: stack pointer counts values: true
; expect-stdout: here: <unknown>:12
; expect-stdout: here labelled: checkpoint (<unknown>:13)
; expect-stdout: guard: nil
; expect-stdout: DBG-VAL: [0xa9] type int <boxed>. Value:R:1 42
; expect-stdout: Stack of fiber 2: 2 values
; expect-stdout-re:   \[0\] DBG-VAL: \[0x[0-9a-f]+\] type string\. Refs 1 Static 0\. Alloc: 1 Value:R:1 under
; expect-stdout:   [1] DBG-VAL: [0x1d] type int <boxed>. Value:R:1 7
.main
    .const $main function "Main" locals=3
        ; Try(label, f): prints "code message" of what f raises
        .const $try function "Try" params=2 locals=3
            try_begin catch 2 finally
            get_local_1
            call 0
            pop
            try_end
        catch:
            catch_store
            get_local_0
            get_local_2
            get_property "Code"
            load_const " "
            get_local_2
            get_property "Error"
            call_builtin_4 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        .const $unequal function "Unequal"
            push_one
            push_i8 2
            load_const "one is not two"
            call_builtin_3 Debug.Assert
            return
        .end
        .const $false function "False"
            push_false
            call_builtin_1 Debug.AssertTrue
            return
        .end
        build_array 0 0
        set_local_0
        load_const "refs: array "
        get_local_0
        call_builtin_1 Debug.Refs
        load_const ", shared "
        get_local_0
        set_local_1
        get_local_0
        call_builtin_1 Debug.Refs
        load_const ", int "
        push_i8 5
        call_builtin_1 Debug.Refs
        get_builtin Console.WriteLine
        call 6
        pop
        load_const "assert: "
        push_one
        push_one
        call_builtin_2 Debug.Assert
        load_const " "
        push_one
        build_array 1 0
        push_one
        build_array 1 0
        call_builtin_2 Debug.Assert
        call_builtin_4 Console.WriteLine
        pop
        load_const "assert 1 == 2: "
        make_function $unequal
        make_function $try
        call 2
        pop
        load_const "assert true: "
        push_i8 7
        call_builtin_1 Debug.AssertTrue
        call_builtin_2 Console.WriteLine
        pop
        load_const "assert false: "
        make_function $false
        make_function $try
        call 2
        pop
        load_const "stack pointer counts values: "
        call_builtin_0 Debug.StackPtr
        push_nil
        call_builtin_0 Debug.StackPtr
        set_local_2
        pop
        push_i8 2
        add
        get_local_2
        eq
        call_builtin_2 Console.WriteLine
        pop
        line 12
        load_const "here: "
        call_builtin_0 Debug.Here
        call_builtin_2 Console.WriteLine
        pop
        line 13
        load_const "here labelled: "
        load_const "checkpoint"
        call_builtin_1 Debug.Here
        call_builtin_2 Console.WriteLine
        pop
        load_const "guard: "
        load_const "not a number"
        call_builtin_1 Debug.GuardAddress
        call_builtin_2 Console.WriteLine
        pop
        push_i8 42
        call_builtin_1 Debug.Value
        pop
        load_const "under"
        push_i8 7
        call_builtin_0 Debug.Stack
        pop
        pop
        pop
        return_nil
    .end
    return_nil
.end
