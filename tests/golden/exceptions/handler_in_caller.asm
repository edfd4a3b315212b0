; An error two calls deep unwinds to the handler in Main: the frames above it and
; the values pushed in the try body are dropped, locals first stored in the try
; body read nil again, locals from before the statement keep their values, and
; execution goes on after the statement.
; expect-stdout: caught 1 in a trace of 3 frames
; expect-stdout: before: 11, try body: nil
; expect-stdout: after the statement
.main
    .const $inner function "Inner"
        push_one
        push_i8 0
        div
        return
    .end
    .const $outer function "Outer" locals=1
        build_array 0 0
        set_local_0
        load_const "left on Outer's stack"
        call_global "Inner" 0
        return
    .end
    .const $main function "Main" locals=4
        push_i8 11
        set_local_1
        try_begin catch 0 finally
        push_i8 22
        set_local_3
        load_const "left on Main's stack"
        build_array 0 0
        call_global "Outer" 0
        pop
        pop
        pop
        try_end
    catch:
        catch_store
        load_const "caught "
        get_local_0
        get_property "Code"
        load_const " in a trace of "
        get_local_0
        get_property "StackTrace"
        len
        call_builtin_4 Console.Write
        pop
        load_const " frames"
        call_builtin_1 Console.WriteLine
        pop
        load_const "before: "
        get_local_1
        load_const ", try body: "
        get_local_3
        call_builtin_4 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        load_const "after the statement"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    make_function $inner
    define_global "Inner"
    make_function $outer
    define_global "Outer"
    return_nil
.end
