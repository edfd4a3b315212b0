; SIGINT (Ctrl+C, control event 1) finds no handler (slot 1 never has one) and ends
; the VM with status 1, even while Main waits for an event.
; signal: SIGINT ready
; expect-stdout: ready
; expect-exit: 1
.main
    .const $main function "Main"
        load_const "ready"
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Event.Create
        push_i16 8000
        call_builtin_2 Event.WaitOne
        call_builtin_1 Console.WriteLine
        return_nil
    .end
    return_nil
.end
