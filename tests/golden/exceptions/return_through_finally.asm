; A return inside a try body (try_leave kind 0) runs the finally body first and
; then returns the value saved before it ran, even though the finally body changes
; the local it came from. Through two nested try statements (levels 2) both
; finally bodies run, inner first; the code after each statement never runs.
; expect-stdout: finally 1
; expect-stdout: returned 10
; expect-stdout: inner finally
; expect-stdout: outer finally
; expect-stdout: returned 20
.main
    .const $one function "One" locals=2
        push_i8 10
        set_local_0
        try_begin catch 1 finally
        get_local_0
        try_leave 0 1 finally
        try_end
    catch:
        catch_store
        goto_finally
    finally:
        finally_begin
        push_i8 99
        set_local_0
        load_const "finally 1"
        call_builtin_1 Console.WriteLine
        pop
        end_finally
        load_const "not reached"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    .const $two function "Two" locals=3
        push_i8 20
        set_local_0
        try_begin outer_catch 1 outer_finally
        try_begin inner_catch 2 inner_finally
        get_local_0
        try_leave 0 2 inner_finally
        try_end
    inner_catch:
        catch_store
        goto_finally
    inner_finally:
        finally_begin
        push_i8 98
        set_local_0
        load_const "inner finally"
        call_builtin_1 Console.WriteLine
        pop
        end_finally
        load_const "not reached (inner)"
        call_builtin_1 Console.WriteLine
        pop
        try_end
    outer_catch:
        catch_store
        goto_finally
    outer_finally:
        finally_begin
        push_i8 97
        set_local_0
        load_const "outer finally"
        call_builtin_1 Console.WriteLine
        pop
        end_finally
        load_const "not reached (outer)"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    .const $main function "Main"
        load_const "returned "
        call_global "One" 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "returned "
        call_global "Two" 0
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    make_function $one
    define_global "One"
    make_function $two
    define_global "Two"
    return_nil
.end
