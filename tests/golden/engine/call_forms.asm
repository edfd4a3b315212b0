; Every plain call form: OP_CALL and OP_CALL_FAST, recursion through OP_CALL_SELF,
; loops through OP_TAIL_CALL_SELF and OP_TAIL_CALL that never grow the frame stack
; (the limit here is 8 frames), OP_CALL_GLOBAL and OP_CALL_QUALIFIED, and missing
; optional parameters filled with nil.
; run: --frames=8
; expect-stdout: call: 7
; expect-stdout: call_fast: -1
; expect-stdout: call_self 6! = 720
; expect-stdout: tail_call_self sum 1..10000 = 50005000
; expect-stdout: tail_call ping-pong 1001 -> odd
; expect-stdout: tail_call to a builtin: 8
; expect-stdout: call_global: 7
; expect-stdout: call_qualified: 12
; expect-stdout: call_qualified missing member: nil
; expect-stdout: optional: 1 nil nil
; expect-stdout: optional: 1 2 nil
.main
    .const $main function "Main"
        .const $add function "Add" params=2
            get_local_0
            get_local_1
            add
            return
        .end
        ; Fact(n) = n * Fact(n - 1) by OP_CALL_SELF
        .const $fact function "Fact" params=1
            cmp_jump_lc 0 gt 1 base
            get_local_0
            get_local_0
            push_one
            sub
            call_self 1
            mul
            return
        base:
            push_one
            return
        .end
        ; Sum(n, acc) by OP_TAIL_CALL_SELF
        .const $sum function "Sum" params=2
            cmp_jump_lc 0 gt 0 done
            get_local_0
            push_minus_one
            add
            get_local_1
            get_local_0
            add
            tail_call_self 2
        done:
            return_local 1
        .end
        ; Even(n) and Odd(n) call each other by OP_TAIL_CALL through globals
        .const $even function "Even" params=1
            cmp_jump_lc 0 eq 0 more
            load_const "even"
            return
        more:
            get_local_0
            push_minus_one
            add
            get_global "Odd"
            tail_call 1
        .end
        .const $odd function "Odd" params=1
            cmp_jump_lc 0 eq 0 more
            load_const "odd"
            return
        more:
            get_local_0
            push_minus_one
            add
            get_global "Even"
            tail_call 1
        .end
        .const $viabuiltin function "ViaBuiltin"
            push_i8 42
            get_builtin Type.Of
            tail_call 1
        .end
        .const $opt function "Opt" params=3
            .param_types any any|optional any|optional
            load_const "optional: "
            call_builtin_1 Console.Write
            pop
            get_local_0
            load_const " "
            get_local_1
            load_const " "
            get_local_2
            call_builtin_5 Console.WriteLine
            pop
            return_nil
        .end
        load_const "call: "
        push_i8 3
        push_i8 4
        make_function $add
        call 2
        call_builtin_2 Console.WriteLine
        pop
        load_const "call_fast: "
        push_i8 3
        push_i8 -4
        make_function $add
        call_fast 2
        call_builtin_2 Console.WriteLine
        pop
        load_const "call_self 6! = "
        push_i8 6
        make_function $fact
        call 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "tail_call_self sum 1..10000 = "
        push_i16 10000
        push_i8 0
        make_function $sum
        call 2
        call_builtin_2 Console.WriteLine
        pop
        make_function $even
        define_global "Even"
        make_function $odd
        define_global "Odd"
        load_const "tail_call ping-pong 1001 -> "
        push_i16 1001
        call_global "Even" 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "tail_call to a builtin: "
        make_function $viabuiltin
        call 0
        call_builtin_2 Console.WriteLine
        pop
        make_function $add
        define_global "AddFn"
        load_const "call_global: "
        push_i8 3
        push_i8 4
        call_global "AddFn" 2
        call_builtin_2 Console.WriteLine
        pop
        ; an object holding a function: the member is called without a receiver
        load_const "Add"
        make_function $add
        build_object 1
        define_global "Lib"
        load_const "call_qualified: "
        push_i8 5
        push_i8 7
        call_qualified "Lib" "Add" 2
        call_builtin_2 Console.WriteLine
        pop
        load_const "call_qualified missing member: "
        push_i8 5
        call_qualified "Lib" "Nope" 1
        call_builtin_2 Console.WriteLine
        pop
        push_one
        make_function $opt
        call 1
        pop
        push_one
        push_i8 2
        make_function $opt
        call 2
        pop
        return_nil
    .end
    return_nil
.end
