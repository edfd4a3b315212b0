; A thrown Exception instance arrives in the catch body as the same instance,
; with the code and message it was built with.
; expect-stdout: true Exception (code 5): disk gone
.main
    .const $main function "Main" locals=2
        push_i8 5
        load_const "disk gone"
        get_global "Exception"
        new 2
        set_local_1
        try_begin catch 0 finally
        get_local_1
        throw
        try_end
    catch:
        catch_store
        get_local_0
        get_local_1
        eq
        push_char ' '
        get_local_0
        call_method "ToString" 0
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    return_nil
.end
