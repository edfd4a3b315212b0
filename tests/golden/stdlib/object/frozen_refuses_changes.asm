; A frozen object keeps its members: Delete raises code 19 (caught here, the member
; stays), and an uncaught refusal from Merge ends the program.
; expect-stdout: true
; expect-stdout: true
; expect-stdout: 19
; expect-stdout: [a]
; expect-stdout: Unhandled exception! IP=68 Line: -1 Code: 19, Message: 'Invalid assignment of const-object'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=68, line=-1]
; expect-exit: 19
.main
    .const $main function "Main" locals=2
        .const $one object
            pool "a"
            int 1
        .end
        load_const $one
        call_builtin_1 Object.Clone
        set_local_0
        get_local_0
        call_builtin_1 Object.Freeze
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_builtin_1 Object.IsFrozen
        call_builtin_1 Console.WriteLine
        pop
        try_begin caught 1 finally
        get_local_0
        load_const "a"
        call_builtin_2 Object.Delete
        call_builtin_1 Console.WriteLine
        pop
        try_end
    caught:
        catch_store
        get_local_1
        get_property "Code"
        call_builtin_1 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        get_local_0
        call_builtin_1 Object.Keys
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        build_object 0
        call_builtin_2 Object.Merge
        pop
        return_nil
    .end
    return_nil
.end
