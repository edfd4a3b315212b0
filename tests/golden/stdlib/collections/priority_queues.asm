; PriorityQueue (min-heap) and MaxPriorityQueue (max-heap) over priorities that are
; ints or floats: Dequeue and Peek give the top value, ToArray lists the values in the
; order Dequeue would give them, and a priority that is not a number is refused with
; code 3.
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: nil
; expect-stdout: 5
; expect-stdout: one
; expect-stdout: [one, two, three, four, five]
; expect-stdout: one
; expect-stdout: two
; expect-stdout: 3
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: [high, mid, low]
; expect-stdout: high
; expect-stdout: high
; expect-stdout: mid
; expect-stdout: low
; expect-stdout: nil
; expect-stdout: true
; expect-stdout: 3
; expect-stdout: 0
; expect-exit: 0
.main
    .const $main function "Main" locals=4
        call_builtin_0 Collections.PriorityQueue
        set_local_0
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        load_const "five"
        push_i8 5
        call_method "Enqueue" 2
        pop
        get_local_0
        load_const "one"
        push_i8 1
        call_method "Enqueue" 2
        pop
        get_local_0
        load_const "four"
        push_f32 4.0
        call_method "Enqueue" 2
        pop
        get_local_0
        load_const "two"
        push_i8 2
        call_method "Enqueue" 2
        pop
        get_local_0
        load_const "three"
        push_f32 3.5
        call_method "Enqueue" 2
        pop
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Clear" 0
        pop
        get_local_0
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_0
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Collections.MaxPriorityQueue
        set_local_1
        get_local_1
        load_const "low"
        push_i8 -1
        call_method "Enqueue" 2
        pop
        get_local_1
        load_const "high"
        push_i8 9
        call_method "Enqueue" 2
        pop
        get_local_1
        load_const "mid"
        push_f32 2.5
        call_method "Enqueue" 2
        pop
        get_local_1
        call_method "ToArray" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Peek" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "Dequeue" 0
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        call_method "IsEmpty" 0
        call_builtin_1 Console.WriteLine
        pop
        ; a string priority: error code 3 reaches the handler
        try_begin caught 2 done
        get_local_1
        load_const "bad"
        load_const "urgent"
        call_method "Enqueue" 2
        pop
        try_end
        caught:
        catch_store
        get_property_l 2 "Code"
        call_builtin_1 Console.WriteLine
        pop
        goto_finally
        done:
        finally_begin
        end_finally
        get_local_1
        call_method "Size" 0
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    return_nil
.end
