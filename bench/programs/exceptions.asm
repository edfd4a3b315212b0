; exceptions: throw and catch in a loop, thrown two calls deep.
.main
    .const $inner function "inner" params=1
        get_local_0
        arith_top_imm mod 4
        push_i8 0
        eq
        jump_if_true fine
        get_local_0
        arith_top_imm mod 10
        load_const "not a multiple of four"
        get_global "Exception"
        new 2
        throw
    fine:
        get_local_0
        arith_top_imm mod 10
        return
    .end
    .const $outer function "outer" params=1
        get_local_0
        call_global "inner" 1
        arith_top_imm add 1
        return
    .end
    .const $main function "Main" locals=6
        push_i32 3000000
        set_local_1            ; n
        push_i8 0
        set_local_2            ; caught
        push_i8 0
        set_local_3            ; sum
        push_one
        set_local_0            ; i
        iter_begin 0 1 done
    body:
        try_begin catch 4 finally
        get_local_0
        call_global "outer" 1
        arith_local_pop 3 add
        try_end
    catch:
        catch_store
        inc_local 2
        get_property_l 4 "Code"
        arith_local_pop 3 add
        goto_finally
    finally:
        finally_begin
        end_finally
        iter_next 0 1 body
    done:
        load_const "exceptions "
        get_local_1
        load_const " "
        get_local_2
        load_const " "
        get_local_3
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    make_function $inner
    define_global "inner"
    make_function $outer
    define_global "outer"
    return_nil
.end
