; OP_CALL_METHOD on values other than instances: an object's own member wins, then
; the Object module takes the object as its first argument; strings fall back to
; the String module (argument counts include the receiver); unknown names and
; receivers without a module give nil; a bound method kept in a field keeps its
; own receiver.
; run: --verbose
; expect-stdout: own member: 99
; expect-stdout: Object.Count: 1
; expect-stdout: Object.HasKey: true
; expect-stdout: Object.Keys: [k]
; expect-stdout: non-function member: nil
; expect-stdout: string with too many arguments: caught 3: Invalid argument(s) - type or length mismatch
; expect-stdout: unknown string method: nil
; expect-stdout: unknown array method: nil
; expect-stdout: char receiver, unknown name: nil
; expect-stdout: int receiver: nil
; expect-stdout: nil receiver: nil
; expect-stdout: bound method in a field: Ann
; expect-stdout-re: \[Time\] Execution took [0-9.]+ ms\. Idle time [0-9]+ms
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Error: Attempt to call non-function property 'Count' of type int
; expect-stderr: Info: Function expects at most 1 arguments, got 2
; expect-stderr: Info: No more work to do. Exit VM.
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
.main
    .const $person class "Person"
        .field "Name" string "Ann"
        .field "Greeter" nil
        .method "GetName" function "GetName" params=1
            .function_flags 2
            get_this_field "Name"
            return
        .end
    .end
    .const $main function "Main"
        .const $ninety_nine function "NinetyNine"
            push_i8 99
            return
        .end
        .const $too_many function "TooMany"
            load_const "abc"
            push_one
            call_method "ToUpper" 1
            return
        .end
        load_const "own member: "
        load_const "Count"
        make_function $ninety_nine
        build_object 1
        call_method "Count" 0
        call_builtin_2 Console.WriteLine
        pop
        ; slot 0: {k: 5}
        load_const "k"
        push_i8 5
        build_object 1
        set_local_0
        load_const "Object.Count: "
        get_local_0
        call_method "Count" 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "Object.HasKey: "
        get_local_0
        load_const "k"
        call_method "HasKey" 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "Object.Keys: "
        get_local_0
        call_method "Keys" 0
        call_builtin_2 Console.WriteLine
        pop
        ; a member that is not callable hides nothing: it is an error line and nil
        load_const "Count"
        push_i8 5
        build_object 1
        set_local_1
        load_const "non-function member: "
        get_local_1
        call_method "Count" 0
        call_builtin_2 Console.WriteLine
        pop
        try_begin caught 2 done
        make_function $too_many
        call 0
        pop
        try_end
    caught:
        catch_store
        load_const "string with too many arguments: caught "
        get_property_l 2 "Code"
        load_const ": "
        get_property_l 2 "Error"
        call_builtin_4 Console.WriteLine
        pop
        goto_finally
    done:
        finally_begin
        end_finally
        load_const "unknown string method: "
        load_const "abc"
        call_method "Nope" 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "unknown array method: "
        build_array 0 0
        push_one
        call_method "Nope" 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "char receiver, unknown name: "
        push_char 'a'
        call_method "Nope" 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "int receiver: "
        push_i8 5
        push_one
        call_method "Count" 1
        call_builtin_2 Console.WriteLine
        pop
        load_const "nil receiver: "
        push_nil
        call_method "Count" 0
        call_builtin_2 Console.WriteLine
        pop
        ; slot 3: a Person whose Greeter field holds its own bound GetName
        get_global "Person"
        new 0
        set_local_3
        get_property_l 3 "GetName"
        set_property_l 3 "Greeter"
        load_const "bound method in a field: "
        get_local_3
        call_method "Greeter" 0
        call_builtin_2 Console.WriteLine
        pop
        ; the field holds the instance: break the cycle
        push_nil
        set_property_l 3 "Greeter"
        return_nil
    .end
    load_const $person
    define_global "Person"
    return_nil
.end
