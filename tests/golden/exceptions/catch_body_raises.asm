; An exception raised inside a catch body runs that statement's finally body, then
; continues outward with the new exception: the caller's handler receives the
; modulo error, not the division error that started it.
; expect-stdout: catch 1
; expect-stdout: finally
; expect-stdout: caller caught 2 Modulo by zero
.main
    .const $inner function "Inner" locals=1
        try_begin catch 0 finally
        push_one
        push_i8 0
        div
        pop
        try_end
    catch:
        catch_store
        load_const "catch "
        get_local_0
        get_property "Code"
        call_builtin_2 Console.WriteLine
        pop
        push_one
        push_i8 0
        mod
        pop
        goto_finally
    finally:
        finally_begin
        load_const "finally"
        call_builtin_1 Console.WriteLine
        pop
        end_finally
        load_const "not reached"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    .const $main function "Main" locals=1
        try_begin catch 0 finally
        call_global "Inner" 0
        pop
        try_end
    catch:
        catch_store
        load_const "caller caught "
        get_local_0
        get_property "Code"
        push_char ' '
        get_local_0
        get_property "Error"
        call_builtin_4 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    make_function $inner
    define_global "Inner"
    return_nil
.end
