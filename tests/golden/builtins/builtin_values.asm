; get_builtin pushes a function member as a builtin value: it renders as its
; qualified name, has type "builtin", and can be stored and called later through
; call (the generic call), with the usual argument checks.
; expect-stdout: Console.WriteLine Type.Is builtin
; expect-stdout: 12 true
; expect-stdout: int
; expect-stdout: 3
; expect-stderr: Error: Function expects at least 2 arguments, got 0
.main
    .const $main function "Main" locals=3
        get_builtin Console.WriteLine
        set_local_0
        get_builtin Type.Is
        set_local_1
        get_builtin Console.WriteLine
        push_char ' '
        get_local_1
        push_char ' '
        get_local_1
        call_builtin_1 Type.Name
        get_local_0
        call 5
        pop
        push_i8 12
        push_char ' '
        push_i8 12
        push_i8 8
        get_local_1
        call 2
        get_local_0
        call 3
        pop
        push_i8 5
        get_builtin Type.Name
        call 1
        get_local_0
        call 1
        pop
        try_begin catch 2 finally
        get_local_1
        call 0
        pop
        try_end
    catch:
        catch_store
        get_local_2
        get_property "Code"
        get_local_0
        call 1
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    return_nil
.end
