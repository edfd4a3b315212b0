; Type.Is is true when the value's type shares a bit with the mask (nil counts as
; nil). Type.Assert returns true when Type.Is would; otherwise it raises code 3
; with its third argument when that is a string, else "type assertion failed".
; expect-stdout: true false true true false true
; expect-stdout: true
; expect-stdout: 3 type assertion failed
; expect-stdout: 3 wanted a number
; expect-stdout: 3 type assertion failed
.main
    .const $attempt function "Attempt" params=1 locals=2
        try_begin catch 1 finally
        get_local_0
        call 0
        call_builtin_1 Console.WriteLine
        pop
        try_end
    catch:
        catch_store
        get_local_1
        get_property "Code"
        push_char ' '
        get_local_1
        get_property "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $passes function "Passes"
        push_char 'c'
        get_builtin Type.Numeric
        call_builtin_2 Type.Assert
        return
    .end
    .const $default_message function "DefaultMessage"
        load_const "s"
        get_builtin Type.Number
        call_builtin_2 Type.Assert
        return
    .end
    .const $own_message function "OwnMessage"
        load_const "s"
        get_builtin Type.Number
        load_const "wanted a number"
        call_builtin_3 Type.Assert
        return
    .end
    .const $not_string_message function "NotStringMessage"
        build_array 0 0
        get_builtin Type.Object
        push_i8 5
        call_builtin_3 Type.Assert
        return
    .end
    .const $main function "Main"
        push_i8 1
        get_builtin Type.Number
        call_builtin_2 Type.Is
        push_char ' '
        load_const "s"
        get_builtin Type.Int
        call_builtin_2 Type.Is
        push_char ' '
        push_nil
        get_builtin Type.Nil
        call_builtin_2 Type.Is
        call_builtin_5 Console.Write
        pop
        push_char ' '
        call_builtin_1 Console.Write
        pop
        build_array 0 0
        push_i8 0x48
        call_builtin_2 Type.Is
        push_char ' '
        build_array 0 0
        push_i8 0x8
        call_builtin_2 Type.Is
        push_char ' '
        get_global "Exception"
        new 0
        get_builtin Type.ObjectLike
        call_builtin_2 Type.Is
        call_builtin_5 Console.WriteLine
        pop
        get_global "Passes"
        call_global "Attempt" 1
        pop
        get_global "DefaultMessage"
        call_global "Attempt" 1
        pop
        get_global "OwnMessage"
        call_global "Attempt" 1
        pop
        get_global "NotStringMessage"
        call_global "Attempt" 1
        pop
        return_nil
    .end
    make_function $attempt
    define_global "Attempt"
    make_function $passes
    define_global "Passes"
    make_function $default_message
    define_global "DefaultMessage"
    make_function $own_message
    define_global "OwnMessage"
    make_function $not_string_message
    define_global "NotStringMessage"
    return_nil
.end
