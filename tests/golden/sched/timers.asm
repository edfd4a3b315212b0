; Timers due in the same pass start in slot order (slots 3, 5, 6, 7, though 7 was
; set first; 6 is due at a wall-clock time long past). Ids are slot indexes and are reused; a negative delay fires on
; the next pass; an interval timer repeats until cancelled (here from its own
; callback); a 65th pending timer raises "Runtime-error" and sets nothing.
; Cancel answers true for any id in 0..63, false outside; SetInterval refuses a
; period that is not positive. The last timer keeps the program alive after Main
; has returned.
; expect-stdout: ids 0 1 2 3 4 5 6 7
; expect-stdout: refused: nil nil nil
; expect-stdout: 65th: caught 6 Runtime-error
; expect-stdout: cancel free: true, cancel 64: false
; expect-stdout: slot 3 first
; expect-stdout: negative delay fired
; expect-stdout: a past wall-clock time fired
; expect-stdout: slot 7 second
; expect-stdout: active after firing: false, new id 3
; expect-stdout: tick 1
; expect-stdout: tick 2
; expect-stdout: tick 3
; expect-stdout: interval active: false
; expect-stdout: main returns
; expect-stdout: late timer after main
.main
    .const $main function "Main" locals=3
        .const $nothing function "Nothing"
            return_nil
        .end
        .const $seven function "Seven"
            load_const "slot 7 second"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $three function "Three"
            load_const "slot 3 first"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $negative function "Negative"
            load_const "negative delay fired"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $attime function "AtTime"
            load_const "a past wall-clock time fired"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $tick function "Tick"
            ; ticks already queued while the interval caught up may follow the third
            get_global "N"
            push_one
            add
            set_global "N"
            get_global "N"
            push_i8 3
            gt
            jump_if_true done
            load_const "tick "
            get_global "N"
            call_builtin_2 Console.WriteLine
            pop
            get_global "N"
            push_i8 3
            lt
            jump_if_true done
            get_global "T"
            call_builtin_1 Timers.Cancel
            pop
            get_global "E"
            call_builtin_1 Event.Set
            pop
        done:
            return_nil
        .end
        .const $late function "Late"
            load_const "late timer after main"
            call_builtin_1 Console.WriteLine
            return_nil
        .end
        .const $fill function "Fill"
            .const $nothing function "Nothing"
                return_nil
            .end
            try_begin catch 0 finally
            push_i8 0
            set_local_1
        more:
            cmp_jump_lc 1 lt 65 done
            push_i16 10000
            make_function $nothing
            call_builtin_2 Timers.SetTimeout
            pop
            inc_local 1
            loop more
        done:
            try_end
        catch:
            catch_store
            load_const "65th: caught "
            get_local_0
            get_property "Code"
            load_const " "
            get_local_0
            get_property "Error"
            call_builtin_4 Console.WriteLine
            pop
            goto_finally
        finally:
            finally_begin
            end_finally
            return_nil
        .end
        ; slots 0..7 with long delays
        load_const "ids"
        call_builtin_1 Console.Write
        pop
        push_i8 0
        set_local_0
    fill8:
        cmp_jump_lc 0 lt 8 filled
        load_const " "
        push_i16 10000
        make_function $nothing
        call_builtin_2 Timers.SetTimeout
        call_builtin_2 Console.Write
        pop
        inc_local 0
        loop fill8
    filled:
        load_const ""
        call_builtin_1 Console.WriteLine
        pop
        load_const "refused: "
        call_builtin_1 Console.Write
        pop
        push_i8 0
        make_function $nothing
        call_builtin_2 Timers.SetInterval
        load_const " "
        push_i8 -1
        make_function $nothing
        call_builtin_2 Timers.SetInterval
        load_const " "
        .const $nan float nan
        load_const $nan
        make_function $nothing
        call_builtin_2 Timers.SetTimeout
        call_builtin_5 Console.WriteLine
        pop
        ; the 65th timer
        make_function $fill
        call 0
        pop
        push_i8 8
        set_local_0
    clear:
        cmp_jump_lc 0 lt 64 cleared
        get_local_0
        call_builtin_1 Timers.Cancel
        pop
        inc_local 0
        loop clear
    cleared:
        load_const "cancel free: "
        push_i8 9
        call_builtin_1 Timers.Cancel
        load_const ", cancel 64: "
        push_i8 64
        call_builtin_1 Timers.Cancel
        call_builtin_4 Console.WriteLine
        pop
        ; slot 7 set first, slot 3 second, both due now
        push_i8 7
        call_builtin_1 Timers.Cancel
        pop
        push_i8 0
        make_function $seven
        call_builtin_2 Timers.SetTimeout
        pop
        push_i8 3
        call_builtin_1 Timers.Cancel
        pop
        push_i8 0
        make_function $three
        call_builtin_2 Timers.SetTimeout
        pop
        push_i8 5
        call_builtin_1 Timers.Cancel
        pop
        push_i8 -100
        make_function $negative
        call_builtin_2 Timers.SetTimeout
        set_local_2
        push_i8 6
        call_builtin_1 Timers.Cancel
        pop
        push_one
        make_function $attime
        call_builtin_2 Timers.SetAtTime
        pop
        push_i8 30
        call_builtin_1 Fiber.Sleep
        pop
        load_const "active after firing: "
        get_local_2
        call_builtin_1 Timers.IsActive
        load_const ", new id "
        push_i16 10000
        make_function $nothing
        call_builtin_2 Timers.SetTimeout
        call_builtin_4 Console.WriteLine
        pop
        ; ticks until the callback cancels its own timer
        call_builtin_0 Event.Create
        set_global "E"
        push_i8 1
        make_function $tick
        call_builtin_2 Timers.SetInterval
        set_global "T"
        get_global "E"
        call_builtin_1 Event.WaitOne
        pop
        load_const "interval active: "
        get_global "T"
        call_builtin_1 Timers.IsActive
        call_builtin_2 Console.WriteLine
        pop
        push_i8 0
        set_local_0
    clear2:
        cmp_jump_lc 0 lt 64 cleared2
        get_local_0
        call_builtin_1 Timers.Cancel
        pop
        inc_local 0
        loop clear2
    cleared2:
        push_i8 20
        make_function $late
        call_builtin_2 Timers.SetTimeout
        pop
        load_const "main returns"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    push_i8 0
    define_global "N"
    push_nil
    define_global "T"
    push_nil
    define_global "E"
    return_nil
.end
