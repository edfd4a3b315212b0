; A short tour of what the VM runs today: globals and functions, loops, arrays and
; objects, string building, closures, exceptions with finally, and the exit status.
; Build and run it with `make demo`.
.main
    .const $square function "Square" params=1
        get_local_0
        get_local_0
        mul
        return
    .end
    .const $adder function "MakeAdder" params=1
        .const $add function "Add" params=1
            get_local_0
            get_global "step"          ; captured when the closure was made
            add
            return
        .end
        make_closure $add "step" 0
        return
    .end
    .const $main function "Main" locals=6
        load_const "Tarvik VM tour"
        call_builtin_1 Console.WriteLine
        pop

        ; squares of 1..5 into an array
        build_array 0 0
        set_local_0
        push_i8 1
        set_local_1
        push_i8 5
        set_local_2
        iter_begin 1 2 squares_done
    squares:
        get_local_1
        call_global "Square" 1
        set_local_3
        get_local_1
        push_i8 1
        sub
        set_local 4
        set_index_lll 0 4 3
        iter_next 1 2 squares
    squares_done:
        load_const "squares: "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop

        ; an object literal and a property read
        load_const "name"
        load_const "Ada"
        load_const "year"
        push_i16 1843
        build_object 2
        set_local_3
        load_const "object: "
        get_local_3
        call_builtin_2 Console.WriteLine
        pop
        load_const "a century later: "
        get_local_3
        get_property "year"
        push_i8 100
        add
        call_builtin_2 Console.WriteLine      ; arguments print in push order
        pop

        ; a closure that remembers its step
        push_i8 10
        call_global "MakeAdder" 1
        set_local 4
        load_const "closure: 32 + 10 = "
        push_i8 32
        get_local 4
        call 1
        call_builtin_2 Console.WriteLine
        pop

        ; an exception caught, with a finally body
        try_begin caught 5 finally
        push_i8 1
        push_i8 0
        div
        pop
        try_end
    caught:
        catch_store
        load_const "caught: "
        get_local 5
        call_method "ToString" 0
        call_builtin_2 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        load_const "finally runs either way"
        call_builtin_1 Console.WriteLine
        pop
        end_finally

        push_i8 0
        return
    .end
    make_function $square
    define_global "Square"
    make_function $adder
    define_global "MakeAdder"
    return_nil
.end
