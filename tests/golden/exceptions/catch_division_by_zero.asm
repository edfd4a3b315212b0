; A division by zero in a try body reaches the catch body as an Exception with
; Code 1 and Error "Division by zero"; the finally body runs after the catch, and
; once the statement is over the catch variable's slot holds nil.
; expect-stdout: caught: Exception 1 Division by zero
; expect-stdout: finally: Exception (code 1): Division by zero
; expect-stdout: after: nil
.main
    .const $main function "Main"
        try_begin catch 0 finally
        push_one
        push_i8 0
        div
        call_builtin_1 Console.WriteLine
        pop
        try_end
    catch:
        catch_store
        load_const "caught: "
        call_builtin_1 Console.Write
        pop
        get_local_0
        call_method "Name" 0
        push_char ' '
        get_local_0
        get_property "Code"
        push_char ' '
        get_local_0
        get_property "Error"
        call_builtin_5 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        load_const "finally: "
        get_local_0
        call_method "ToString" 0
        call_builtin_2 Console.WriteLine
        pop
        end_finally
        load_const "after: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
