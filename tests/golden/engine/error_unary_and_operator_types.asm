; Type errors of the unary instructions and the operator routine: code 3 with the
; operand's type name; a handler catches each one.
; expect-stdout: 3: Cannot negate non-numeric value (got string)
; expect-stdout: 3: Cannot increment non-numeric value (got nil)
; expect-stdout: 3: Cannot decrement non-numeric value (got array)
; expect-stdout: 3: Invalid argument(s) - type or length mismatch
; expect-stdout: 3: Operator '&' requires integer operands (got float and int)
; expect-stdout: 3: Operator '<<' requires integer operands (got int and string)
; expect-stdout: 3: Operator '-' is not supported between string and int
; expect-stdout: 3: Operator '*' is not supported between array and int
; expect-stdout: 3: Operator '^^' is not supported between nil and nil
; expect-stdout: 3: Operator '%' is not supported between object and int
; expect-stdout: 3: Operator '?' is not supported between int and int
.main
    .const $main function "Main"
        ; Probe(fn): calls fn inside a try statement and prints the caught code and text
        .const $probe function "Probe" params=1
            try_begin caught 1 done
            get_local_0
            call 0
            pop
            load_const "no error"
            call_builtin_1 Console.WriteLine
            pop
            try_end
        caught:
            catch_store
            get_local_1
            get_property "Code"
            load_const ": "
            get_local_1
            get_property "Error"
            call_builtin_3 Console.WriteLine
            pop
            goto_finally
        done:
            finally_begin
            end_finally
            return_nil
        .end
        .const $neg function "Neg"
            load_const "x"
            neg
            return
        .end
        .const $inc function "Inc"
            push_nil
            set_local_0
            inc_local 0
            return_nil
        .end
        .const $dec function "Dec"
            build_array 0 0
            set_local_0
            dec_local 0
            return_nil
        .end
        .const $bitnot function "BitNot"
            push_f32 1.5
            bit_not
            return
        .end
        .const $and function "And"
            push_f32 1.5
            push_one
            bit_and
            return
        .end
        .const $shl function "Shl"
            push_one
            load_const "2"
            shl
            return
        .end
        .const $sub function "Sub"
            load_const "a"
            push_one
            sub
            return
        .end
        .const $mul function "Mul"
            build_array 0 0
            push_i8 2
            mul
            return
        .end
        .const $pow function "Pow"
            push_nil
            push_nil
            pow
            return
        .end
        .const $mod function "Mod"
            build_object 0
            set_local_0
            arith_local_imm 0 mod 3
            return_nil
        .end
        ; an aop above 10 reaches the operator routine, which names it "?"
        .const $bad_aop function "BadAop"
            push_one
            set_local_0
            arith_local_imm 0 11 1
            return_nil
        .end
        make_function $probe
        set_local_0
        make_function $neg
        get_local_0
        call 1
        pop
        make_function $inc
        get_local_0
        call 1
        pop
        make_function $dec
        get_local_0
        call 1
        pop
        make_function $bitnot
        get_local_0
        call 1
        pop
        make_function $and
        get_local_0
        call 1
        pop
        make_function $shl
        get_local_0
        call 1
        pop
        make_function $sub
        get_local_0
        call 1
        pop
        make_function $mul
        get_local_0
        call 1
        pop
        make_function $pow
        get_local_0
        call 1
        pop
        make_function $mod
        get_local_0
        call 1
        pop
        make_function $bad_aop
        get_local_0
        call 1
        pop
        return_nil
    .end
    return_nil
.end
