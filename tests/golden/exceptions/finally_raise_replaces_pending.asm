; An exception raised inside a finally body drops the action that was pending:
; a pending return does not happen, and a pending rethrow (from the catch body) is
; replaced. In both cases the caller's handler receives the finally body's error.
; expect-stdout: finally of Returns
; expect-stdout: caller caught 1 Division by zero
; expect-stdout: finally of Rethrows
; expect-stdout: caller caught 4 Index 5 out of bounds (length 0)
.main
    .const $returns function "Returns" locals=1
        try_begin catch 0 finally
        push_i8 7
        try_leave 0 1 finally
        try_end
    catch:
        catch_store
        goto_finally
    finally:
        finally_begin
        load_const "finally of Returns"
        call_builtin_1 Console.WriteLine
        pop
        push_one
        push_i8 0
        div
        pop
        end_finally
        return_nil
    .end
    .const $rethrows function "Rethrows" locals=1
        try_begin catch 0 finally
        push_one
        push_i8 0
        mod
        pop
        try_end
    catch:
        catch_store
        get_local_0
        throw
        goto_finally
    finally:
        finally_begin
        load_const "finally of Rethrows"
        call_builtin_1 Console.WriteLine
        pop
        build_array 0 0
        push_i8 5
        get_index
        pop
        end_finally
        return_nil
    .end
    .const $call function "Call" params=1 locals=2
        try_begin catch 1 finally
        get_local_0
        call 0
        load_const "returned "
        call_builtin_2 Console.WriteLine
        pop
        try_end
    catch:
        catch_store
        load_const "caller caught "
        get_local_1
        get_property "Code"
        push_char ' '
        get_local_1
        get_property "Error"
        call_builtin_4 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $main function "Main"
        get_global "Returns"
        call_global "Call" 1
        pop
        get_global "Rethrows"
        call_global "Call" 1
        pop
        return_nil
    .end
    make_function $returns
    define_global "Returns"
    make_function $rethrows
    define_global "Rethrows"
    make_function $call
    define_global "Call"
    return_nil
.end
