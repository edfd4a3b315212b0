; A counting loop with arithmetic: 20 million iterations of sum += i * 3 % 7.
.main
    .const $main function "Main" locals=3
        push_i8 0
        set_local_0            ; sum
        push_i8 1
        set_local_1            ; i
        push_i32 20000000
        set_local_2            ; end
        iter_begin 1 2 done
    body:
        get_local_1
        push_i8 3
        mul
        push_i8 7
        mod
        arith_local_pop 0 add
        iter_next 1 2 body
    done:
        get_local_0
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
