; throw walks at most 8 classes looking for Exception: an instance of a class 7
; levels below it (the 8th class visited is Exception) is thrown and caught as
; itself; one 8 levels below is rejected with code 22. The subclasses inherit the
; native constructor and ToString, which uses the subclass's name.
; expect-stdout: E7 E7 (code 3): deep
; expect-stdout: Exception Exception (code 22): throw requires an Exception (or subclass) instance
.main
    .const $e1 class "E1" base="Exception"
    .end
    .const $e2 class "E2" base="E1"
    .end
    .const $e3 class "E3" base="E2"
    .end
    .const $e4 class "E4" base="E3"
    .end
    .const $e5 class "E5" base="E4"
    .end
    .const $e6 class "E6" base="E5"
    .end
    .const $e7 class "E7" base="E6"
    .end
    .const $e8 class "E8" base="E7"
    .end
    .const $attempt function "Attempt" params=1 locals=2
        try_begin catch 1 finally
        push_i8 3
        load_const "deep"
        get_local_0
        new 2
        throw
        try_end
    catch:
        catch_store
        get_local_1
        call_method "Name" 0
        push_char ' '
        get_local_1
        call_method "ToString" 0
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $main function "Main"
        get_global "E7"
        call_global "Attempt" 1
        pop
        get_global "E8"
        call_global "Attempt" 1
        pop
        return_nil
    .end
    load_const $e1
    define_global "E1"
    load_const $e2
    define_global "E2"
    load_const $e3
    define_global "E3"
    load_const $e4
    define_global "E4"
    load_const $e5
    define_global "E5"
    load_const $e6
    define_global "E6"
    load_const $e7
    define_global "E7"
    load_const $e8
    define_global "E8"
    make_function $attempt
    define_global "Attempt"
    return_nil
.end
