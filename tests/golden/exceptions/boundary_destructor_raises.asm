; A destructor runs as a callback from native code (the release of the last
; reference). An error it raises stops at that boundary: it is swallowed with the
; warning, whether or not Main has a handler, and Main carries on.
; expect-stderr: Warning: [boundary] 'Destructor' callback raised (swallowed)
; expect-stderr: Warning: [boundary] 'Destructor' callback raised (swallowed)
; expect-stdout: destructor 1
; expect-stdout: after the first release
; expect-stdout: destructor 2
; expect-stdout: after the second release
.main
    .const $k class "K"
        .field "N" int 0
        .method "Destructor" function "Destructor" params=1
            load_const "destructor "
            get_local_0
            get_property "N"
            call_builtin_2 Console.WriteLine
            pop
            push_one
            push_i8 0
            div
            return
        .end
    .end
    .const $main function "Main" locals=2
        get_global "K"
        new 0
        dup
        push_one
        set_property "N"
        pop
        load_const "after the first release"
        call_builtin_1 Console.WriteLine
        pop
        try_begin catch 0 finally
        get_global "K"
        new 0
        dup
        push_i8 2
        set_property "N"
        pop
        load_const "after the second release"
        call_builtin_1 Console.WriteLine
        pop
        try_end
    catch:
        catch_store
        load_const "Main caught it"
        call_builtin_1 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    load_const $k
    define_global "K"
    return_nil
.end
