; Operands at their limits and operands the validator leaves alone pass.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        .const string "Name"
        .const int 1
        .const $f function "F"
            return_nil
        .end
        get_local 127
        set_local 127
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        concat_n 16
        pop
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        push_nil
        call 16
        pop
        get_builtin 6 114
        pop
        export 1 1 0xFFFFFFFF
        make_closure $f
        pop
        push_one
        jump_table 0 5 default after_table
        after_table:
        arith_local_imm 127 200 -1
        cmp_jump_ll 127 126 9 next
        next:
        block_get_li 3 255
        pop
        get_global "Name"
        pop
        iter_begin 0 1 loop_end
        loop_body:
        iter_next 0 1 loop_body
        loop_end:
        try_begin catch 127 finally
        try_end
        catch:
        finally:
        jump last
        last:
        return
    .end
    return_nil
.end
