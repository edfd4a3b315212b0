; With --unsafe, PatchFunction sends calls of a function to its replacement (a
; script function or a builtin of the same parameter count); nil removes the
; replacement. A different parameter count or async flag raises code 3.
; run: --unsafe
; expect-stdout: before: original 5
; expect-stdout: patched: true, replacement 5
; expect-stdout: to a builtin: true, is int: true
; expect-stdout: removed: true, original 5
; expect-stdout: other count: 3
; expect-stdout: other async flag: 3
.main
    .const $main function "Main" locals=3
        .const $original function "Original" params=1
            load_const "original "
            get_local_0
            concat
            return
        .end
        .const $replacement function "Replacement" params=1
            load_const "replacement "
            get_local_0
            concat
            return
        .end
        .const $two function "Two" params=2
            return_nil
        .end
        .const $async function "Async" params=1
            .function_flags 1
            return_nil
        .end
        ; Refused(label, f): prints the code PatchFunction(Original, f) raises
        .const $refused function "Refused" params=2 locals=3
            .const $original function "Original" params=1
                return_nil
            .end
            try_begin catch 2 finally
            make_function $original
            get_local_1
            call_builtin_2 VM.PatchFunction
            pop
            try_end
        catch:
            catch_store
            get_local_0
            get_local_2
            get_property "Code"
            call_builtin_2 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        load_const $original
        set_local_0
        load_const "before: "
        push_i8 5
        get_local_0
        call 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "patched: "
        get_local_0
        load_const $replacement
        call_builtin_2 VM.PatchFunction
        load_const ", "
        push_i8 5
        get_local_0
        call 1
        call_builtin_4 Console.WriteLine
        pop
        load_const "to a builtin: "
        get_local_0
        get_builtin Type.Of
        call_builtin_2 VM.PatchFunction
        load_const ", is int: "
        push_i8 5
        get_local_0
        call 1
        push_i8 8
        eq
        call_builtin_4 Console.WriteLine
        pop
        load_const "removed: "
        get_local_0
        push_nil
        call_builtin_2 VM.PatchFunction
        load_const ", "
        push_i8 5
        get_local_0
        call 1
        call_builtin_4 Console.WriteLine
        pop
        load_const "other count: "
        load_const $two
        load_const $refused
        call 2
        pop
        load_const "other async flag: "
        load_const $async
        load_const $refused
        call 2
        pop
        return_nil
    .end
    return_nil
.end
