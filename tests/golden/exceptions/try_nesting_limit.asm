; A fiber holds 24 handlers: a recursion that opens one try statement per level
; installs 24 of them, and the 25th try_begin raises code 6 without installing
; one, so the error reaches the handler of level 24.
; expect-stdout: level 24 caught 6 Runtime-error
; expect-stdout: back in Main
.main
    .const $nest function "Nest" params=1 locals=2
        try_begin catch 1 finally
        get_local_0
        push_one
        add
        call_global "Nest" 1
        pop
        try_end
    catch:
        catch_store
        load_const "level "
        get_local_0
        load_const " caught "
        get_local_1
        get_property "Code"
        call_builtin_4 Console.Write
        pop
        push_char ' '
        get_local_1
        get_property "Error"
        call_builtin_2 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $main function "Main"
        push_one
        call_global "Nest" 1
        pop
        load_const "back in Main"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    make_function $nest
    define_global "Nest"
    return_nil
.end
