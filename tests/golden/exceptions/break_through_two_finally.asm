; Leaving two nested try statements with a jump (try_leave levels 2) runs both
; finally bodies, inner first, then jumps to the target: kind 2 continues a loop,
; kind 1 breaks out of it. The code after the statements is skipped each time.
; expect-stdout: inner 1
; expect-stdout: outer 1
; expect-stdout: inner 2
; expect-stdout: outer 2
; expect-stdout: inner 3
; expect-stdout: outer 3
; expect-stdout: done at 3
.main
    .const $main function "Main" locals=3
        push_one
        set_local_0
    top:
        try_begin outer_catch 1 outer_finally
        try_begin inner_catch 2 inner_finally
        cmp_jump_lc 0 eq 3 keep_going   ; jumps when L0 == 3 is false
        try_leave 1 2 done
    keep_going:
        try_leave 2 2 next
        try_end
    inner_catch:
        catch_store
        goto_finally
    inner_finally:
        finally_begin
        load_const "inner "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        end_finally
        load_const "skipped inner"
        call_builtin_1 Console.WriteLine
        pop
        try_end
    outer_catch:
        catch_store
        goto_finally
    outer_finally:
        finally_begin
        load_const "outer "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        end_finally
        load_const "skipped outer"
        call_builtin_1 Console.WriteLine
        pop
    next:
        inc_local 0
        loop top
    done:
        load_const "done at "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
