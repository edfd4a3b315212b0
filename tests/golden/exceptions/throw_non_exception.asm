; throw accepts only instances of Exception or a subclass: an int, an object and
; the Exception class itself are each rejected with code 22, which a handler
; catches like any other error.
; expect-stdout: 22 throw requires an Exception (or subclass) instance
; expect-stdout: 22 throw requires an Exception (or subclass) instance
; expect-stdout: 22 throw requires an Exception (or subclass) instance
.main
    .const $attempt function "Attempt" params=1 locals=2
        try_begin catch 1 finally
        get_local_0
        throw
        try_end
    catch:
        catch_store
        get_local_1
        get_property "Code"
        push_char ' '
        get_local_1
        get_property "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $main function "Main"
        push_i8 5
        call_global "Attempt" 1
        pop
        build_object 0
        call_global "Attempt" 1
        pop
        get_global "Exception"
        call_global "Attempt" 1
        pop
        return_nil
    .end
    make_function $attempt
    define_global "Attempt"
    return_nil
.end
