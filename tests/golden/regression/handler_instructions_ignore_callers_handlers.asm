; A function called inside a try body runs finally instructions of its own with no
; handler of its own: they do nothing, instead of jumping to the caller's finally
; address inside the callee's much shorter code.
; expect-stdout: 7
; expect-stdout: after the try statement
.main
    .const $callee function "Callee"
        goto_finally
        try_leave 1 0 after
    after:
        finally_begin
        end_finally
        push_i8 7
        return
    .end
    .const $main function "Main" locals=2
        try_begin caught 1 done
        call_global "Callee" 0
        call_builtin_1 Console.WriteLine
        pop
        try_end
    caught:
        catch_store
        goto_finally
        .fill 300 0
    done:
        finally_begin
        end_finally
        load_const "after the try statement"
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    make_function $callee
    define_global "Callee"
    return_nil
.end
