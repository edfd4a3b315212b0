; The internal fields are ordinary fields, so a script can replace them; a method
; of a container whose field now holds another type raises RuntimeError (code 6)
; instead of misreading it. Each case is caught; the last one escapes.
; expect-stdout: 6: Stack: internal field '_array' was replaced (got int)
; expect-stdout: 6: HashMap: internal field '_map' was replaced (got string)
; expect-stdout: 6: PriorityQueue: internal field '_min' was replaced (got int)
; expect-stdout: 4
; expect-stdout: Unhandled exception! IP=187 Line: -1 Code: 6, Message: 'LinkedList: internal field '_tail' was replaced (got array)'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=187, line=-1]
; expect-exit: 6
.main
    .const $main function "Main" locals=4
        call_builtin_0 Collections.Stack
        set_local_0
        get_local_0
        push_i8 5
        set_property "_array"
        try_begin c1 2 d1
        get_local_0
        push_i8 1
        call_method "Push" 1
        pop
        try_end
        c1:
        catch_store
        get_property_l 2 "Code"
        load_const ": "
        get_property_l 2 "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
        d1:
        finally_begin
        end_finally
        call_builtin_0 Collections.HashMap
        set_local_0
        get_local_0
        load_const "not a map"
        set_property "_map"
        try_begin c2 2 d2
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        try_end
        c2:
        catch_store
        get_property_l 2 "Code"
        load_const ": "
        get_property_l 2 "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
        d2:
        finally_begin
        end_finally
        call_builtin_0 Collections.PriorityQueue
        set_local_0
        get_local_0
        push_i8 1
        set_property "_min"
        try_begin c3 2 d3
        get_local_0
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        try_end
        c3:
        catch_store
        get_property_l 2 "Code"
        load_const ": "
        get_property_l 2 "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
        d3:
        finally_begin
        end_finally
        ; a field replaced by a value of the same type is used as it is
        call_builtin_0 Collections.Queue
        set_local_0
        get_local_0
        push_i8 4
        push_i8 5
        build_array 2 0
        set_property "_array"
        get_local_0
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Collections.LinkedList
        set_local_0
        get_local_0
        push_i8 1
        call_method "PushBack" 1
        pop
        get_local_0
        build_array 0 0
        set_property "_tail"
        get_local_0
        call_method "PopBack" 0
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
