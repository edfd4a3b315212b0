; The VM module: Compile and Eval always raise "Runtime-error"; memory counters;
; module and function descriptions with their signature texts; PatchFunction
; needs --unsafe; Exit ends the process at once with its code.
; expect-stdout: compile: 6 Runtime-error
; expect-stdout: eval: 6 Runtime-error
; expect-stdout: counters: true true 1024 true
; expect-stdout: Event: 6 members, first fn Event.Create() - int, then fn Event.WaitOne(int, int?) - any
; expect-stdout: Fiber constant: Status.New int 0
; expect-stdout: unknown module: nil
; expect-stdout: builtin: builtin Timers.SetTimeout 2 fn Timers.SetTimeout(number, function) - int | nil
; expect-stdout: function: function Add 2 1 fn Add(int, any?) - any true [int, any] [false, true]
; expect-stdout: patch: 14 Unsafe memory access is not enabled. Use -u to allow.
; expect-stdout: start time plausible: true
; expect-exit: 3
.main
    .const $main function "Main" locals=3
        .const $add function "Add" params=2
            .function_flags 1
            .param_types int any|optional
            get_local_0
            return
        .end
        .const $compile function "Compile"
            load_const "1 + 1"
            call_builtin_1 VM.Compile
            return
        .end
        .const $eval function "Eval"
            load_const "1 + 1"
            push_one
            call_builtin_2 VM.Eval
            return
        .end
        .const $patch function "Patch"
            .const $f function "F"
                return_nil
            .end
            make_function $f
            make_function $f
            call_builtin_2 VM.PatchFunction
            return
        .end
        .const $try function "Try" params=2 locals=3
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
            load_const " "
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
        load_const "compile: "
        make_function $compile
        make_function $try
        call 2
        pop
        load_const "eval: "
        make_function $eval
        make_function $try
        call 2
        pop
        ; counters
        call_builtin_0 VM.MemoryStats
        set_local_0
        load_const "counters: "
        call_builtin_0 VM.CurrentAllocations
        call_builtin_0 VM.PeakAllocations
        le
        load_const " "
        get_local_0
        get_property "Current"
        push_i8 0
        gt
        load_const " "
        get_local_0
        get_property "SlabCacheFree"
        load_const " "
        get_local_0
        get_property "HeapBytes"
        push_i8 0
        gt
        get_builtin Console.WriteLine
        call 8
        pop
        ; module descriptions
        load_const "Event"
        call_builtin_1 VM.GetModuleInfo
        get_property "Members"
        set_local_0
        load_const "Event: "
        get_local_0
        len
        load_const " members, first "
        get_index_li 0 0
        get_property "Signature"
        load_const ", then "
        get_index_li 0 1
        get_property "Signature"
        get_builtin Console.WriteLine
        call 6
        pop
        load_const "Fiber"
        call_builtin_1 VM.GetModuleInfo
        get_property "Constants"
        push_i8 0
        get_index
        set_local_0
        load_const "Fiber constant: "
        get_local_0
        get_property "Name"
        load_const " "
        get_local_0
        get_property "Type"
        load_const " "
        get_local_0
        get_property "Value"
        get_builtin Console.WriteLine
        call 6
        pop
        load_const "unknown module: "
        load_const "Events"
        call_builtin_1 VM.GetModuleInfo
        call_builtin_2 Console.WriteLine
        pop
        ; function descriptions
        get_builtin Timers.SetTimeout
        call_builtin_1 VM.GetFunctionInfo
        set_local_0
        load_const "builtin: "
        get_local_0
        get_property "Kind"
        load_const " "
        get_local_0
        get_property "Name"
        load_const " "
        get_local_0
        get_property "Arity"
        load_const " "
        get_local_0
        get_property "Signature"
        get_builtin Console.WriteLine
        call 8
        pop
        make_function $add
        call_builtin_1 VM.GetFunctionInfo
        set_local_0
        load_const "function: "
        get_local_0
        get_property "Kind"
        load_const " "
        get_local_0
        get_property "Name"
        load_const " "
        get_local_0
        get_property "Arity"
        load_const " "
        get_local_0
        get_property "Optional"
        load_const " "
        get_local_0
        get_property "Signature"
        load_const " "
        get_local_0
        get_property "IsAsync"
        load_const " "
        get_local_0
        get_property "ArgTypes"
        load_const " "
        get_local_0
        get_property "ArgOptional"
        get_builtin Console.WriteLine
        call 16
        pop
        load_const "patch: "
        make_function $patch
        make_function $try
        call 2
        pop
        load_const "start time plausible: "
        call_builtin_0 VM.GetStartTimeMs
        .const $epoch int 1700000000000
        load_const $epoch
        gt
        call_builtin_2 Console.WriteLine
        pop
        push_i8 3
        call_builtin_1 VM.Exit
        load_const "not reached"
        call_builtin_1 Console.WriteLine
        return_nil
    .end
    return_nil
.end
