; Argument checks before a builtin runs each raise code 3 with the standard
; message. Too few arguments also prints the error line (with the script line);
; too many and a wrong type print nothing without --verbose. Nil passes any type.
; expect-stderr: Error: [Line 30] Function expects at least 1 arguments, got 0
; expect-stdout: too few: 3 Invalid argument(s) - type or length mismatch
; expect-stdout: too many: 3 Invalid argument(s) - type or length mismatch
; expect-stdout: wrong type: 3 Invalid argument(s) - type or length mismatch
; expect-stdout: nil accepted: none
.main
    .const $check function "Check" params=2 locals=3
        try_begin catch 2 finally
        get_local_1
        call 0
        pop
        try_end
    catch:
        catch_store
        get_local_0
        get_local_2
        get_property "Code"
        push_char ' '
        get_local_2
        get_property "Error"
        call_builtin_4 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $too_few function "TooFew"
        line 30
        call_builtin_0 Type.IsInt
        return
    .end
    .const $too_many function "TooMany"
        line 40
        push_one
        push_one
        call_builtin_2 Type.IsInt
        return
    .end
    .const $wrong_type function "WrongType"
        line 50
        load_const "8"
        call_builtin_1 Type.NameOf
        return
    .end
    .const $main function "Main"
        load_const "too few: "
        get_global "TooFew"
        call_global "Check" 2
        pop
        load_const "too many: "
        get_global "TooMany"
        call_global "Check" 2
        pop
        load_const "wrong type: "
        get_global "WrongType"
        call_global "Check" 2
        pop
        load_const "nil accepted: "
        push_nil
        call_builtin_1 Type.NameOf
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    make_function $check
    define_global "Check"
    make_function $too_few
    define_global "TooFew"
    make_function $too_many
    define_global "TooMany"
    make_function $wrong_type
    define_global "WrongType"
    return_nil
.end
