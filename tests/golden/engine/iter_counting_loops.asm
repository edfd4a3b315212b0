; OP_ITER_BEGIN / OP_ITER_NEXT run a counting loop over an inclusive range: 5..5 runs
; once, 3..2 not at all, heap-int bounds work, and a bound that is not an int raises
; code 3 naming its type.
; expect-stdout: 1..3: 1 2 3 
; expect-stdout: 5..5: 5 
; expect-stdout: 3..2: 
; expect-stdout: counter after 3..2: 3
; expect-stdout: 2^60-1..2^60: 1152921504606846975 1152921504606846976 
; expect-stdout: -2..0: -2 -1 0 
; expect-stdout: float bound: Unhandled exception! IP=5 Line: -1 Code: 3, Message: 'iter range bound out of range (got float)'
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   at <anon> [ip=86, line=-1]
; expect-stdout:   at <anon> [ip=5, line=-1]
; expect-exit: 3
.main
    .const $main function "Main"
        .const $max_imm int 0x0FFFFFFFFFFFFFFF
        .const $two60 int 0x1000000000000000
        ; Range(label, from, to): prints every value of the loop counter
        .const $range function "Range" params=3
            get_local_0
            call_builtin_1 Console.Write
            pop
            iter_begin 1 2 done
        body:
            get_local_1
            load_const " "
            call_builtin_2 Console.Write
            pop
            iter_next 1 2 body
        done:
            load_const ""
            call_builtin_1 Console.WriteLine
            pop
            return_local 1
        .end
        load_const "1..3: "
        push_one
        push_i8 3
        make_function $range
        call 3
        pop
        load_const "5..5: "
        push_i8 5
        push_i8 5
        make_function $range
        call 3
        pop
        load_const "counter after 3..2: "
        load_const "3..2: "
        push_i8 3
        push_i8 2
        make_function $range
        call 3
        call_builtin_2 Console.WriteLine
        pop
        load_const "2^60-1..2^60: "
        load_const $max_imm
        load_const $two60
        make_function $range
        call 3
        pop
        load_const "-2..0: "
        push_i8 -2
        push_i8 0
        make_function $range
        call 3
        pop
        load_const "float bound: "
        push_one
        push_f32 2.0
        make_function $range
        call 3
        return
    .end
    return_nil
.end
