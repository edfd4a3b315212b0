; A tail call replaces its frame together with the try statements installed in it:
; a self tail call inside a try body can loop past the 24-handler limit, and an
; error in a function reached by OP_TAIL_CALL from a try body goes to the caller's
; handler, not into the replaced code's catch body.
; expect-stdout: self tail calls: done
; expect-stdout: caught in Main: 1 Division by zero
.main
    .const $main function "Main"
        ; Count(n): a try statement around a self tail call until n is 0
        .const $count function "Count" params=1
            try_begin caught 1 finally
            cmp_jump_lc 0 gt 0 done
            get_local_0
            push_minus_one
            add
            tail_call_self 1
        done:
            try_end
        caught:
            catch_store
            load_const "caught in Count"
            call_builtin_1 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            load_const "done"
            return
        .end
        .const $fail function "Fail" params=1
            get_local_0
            push_i8 0
            div
            return
        .end
        ; Leave(): tail-calls Fail from inside its own try body
        .const $leave function "Leave"
            try_begin caught 0 finally
            push_one
            get_global "Fail"
            tail_call 1
            try_end
        caught:
            catch_store
            load_const "caught in Leave"
            call_builtin_1 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        make_function $fail
        define_global "Fail"
        load_const "self tail calls: "
        push_i8 30
        make_function $count
        call 1
        call_builtin_2 Console.WriteLine
        pop
        try_begin caught 0 finally
        make_function $leave
        call 0
        pop
        try_end
    caught:
        catch_store
        load_const "caught in Main: "
        get_property_l 0 "Code"
        load_const " "
        get_property_l 0 "Error"
        call_builtin_4 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    return_nil
.end
