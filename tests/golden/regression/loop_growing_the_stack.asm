; The validator fixes a depth by the first edge into an instruction and does not
; model growth around a loop, so pushes inside one can meet the end of the value
; stack at run time: instructions that pop nothing (building empty arrays and
; objects) check for room like any push and raise code 12.
; expect-stdout: 12
; expect-stdout: 12
; expect-exit: 0
.main
    .const $main function "Main" locals=1
        .const $probe function "Probe" params=1 locals=2
            try_begin caught 1 done
            get_local_0
            call 0
            pop
            try_end
        caught:
            catch_store
            get_local_1
            get_property "Code"
            call_builtin_1 Console.WriteLine
            pop
            goto_finally
        done:
            finally_begin
            end_finally
            return_nil
        .end
        .const $arrays function "Arrays"
        again:
            build_array 0 0
            loop again
        .end
        .const $objects function "Objects"
        again:
            build_object 0
            loop again
        .end
        make_function $probe
        set_local_0
        make_function $arrays
        get_local_0
        call 1
        pop
        make_function $objects
        get_local_0
        call 1
        pop
        push_i8 0
        return
    .end
    return_nil
.end
