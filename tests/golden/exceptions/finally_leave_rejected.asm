; Leaving a finally body with try_leave is refused with code 6: a return (kind 0,
; whose value is dropped) and a break (kind 1). The statement's handler is dropped
; and the caller's handler receives the error; the jump target is never reached.
; expect-stdout: in finally
; expect-stdout: caller caught 6 control may not leave a finally body
; expect-stdout: in finally
; expect-stdout: caller caught 6 control may not leave a finally body
.main
    .const $leave_return function "LeaveReturn" locals=1
        try_begin catch 0 finally
        try_end
    catch:
        catch_store
        goto_finally
    finally:
        finally_begin
        load_const "in finally"
        call_builtin_1 Console.WriteLine
        pop
        push_i8 1
        try_leave 0 1 after
        end_finally
    after:
        load_const "target reached"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    .const $leave_break function "LeaveBreak" locals=1
        try_begin catch 0 finally
        try_end
    catch:
        catch_store
        goto_finally
    finally:
        finally_begin
        load_const "in finally"
        call_builtin_1 Console.WriteLine
        pop
        try_leave 1 1 after
        end_finally
    after:
        load_const "target reached"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    .const $call function "Call" params=1 locals=2
        try_begin catch 1 finally
        get_local_0
        call 0
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
        get_global "LeaveReturn"
        call_global "Call" 1
        pop
        get_global "LeaveBreak"
        call_global "Call" 1
        pop
        return_nil
    .end
    make_function $leave_return
    define_global "LeaveReturn"
    make_function $leave_break
    define_global "LeaveBreak"
    make_function $call
    define_global "Call"
    return_nil
.end
