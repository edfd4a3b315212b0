; A caught runtime error thrown again from the catch body, with no handler left:
; the finally body runs, then the run loop reports the exception with its original
; code, message and trace, and the process exits with the code.
; expect-stdout: catch
; expect-stdout: finally
; expect-stdout: Unhandled exception (code 2): Modulo by zero
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at Main [ip=15, line=4]
; expect-exit: 2
.main
    .const $main function "Main" locals=1
        func_name "Main"
        try_begin catch 0 finally
        line 4
        push_one
        push_i8 0
        mod
        pop
        try_end
    catch:
        catch_store
        load_const "catch"
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        throw
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
    return_nil
.end
