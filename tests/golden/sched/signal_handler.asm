; A "SIGINT" handler (slot 2) runs in its own fiber with the signal number when
; the process gets SIGQUIT, the stand-in for Ctrl+Break. Signal names match in
; any letter case, with or without "SIG"; only 2 and 15 take handlers.
; signal: SIGQUIT ready
; expect-stdout: numbers: 2 2 15 nil
; expect-stdout: names: SIGINT SIGTERM nil
; expect-stdout: on signal 9: false, 15 with an int: false, 2: true
; expect-stdout: raise out of range: false false
; expect-stdout: ready
; expect-stdout: handler got 2
; expect-stdout: main woke: handled
.main
    .const $main function "Main"
        .const $handler function "Handler" params=1
            load_const "handler got "
            get_local_0
            call_builtin_2 Console.WriteLine
            pop
            get_global "E"
            load_const "handled"
            call_builtin_2 Event.Set
            return
        .end
        load_const "numbers: "
        load_const "sigint"
        call_builtin_1 VM.SignalNumber
        load_const " "
        load_const "Int"
        call_builtin_1 VM.SignalNumber
        call_builtin_4 Console.Write
        pop
        load_const " "
        load_const "SIGTERM"
        call_builtin_1 VM.SignalNumber
        load_const " "
        load_const "SIGKILL"
        call_builtin_1 VM.SignalNumber
        call_builtin_4 Console.WriteLine
        pop
        load_const "names: "
        push_i8 2
        call_builtin_1 VM.SignalName
        load_const " "
        push_i8 15
        call_builtin_1 VM.SignalName
        call_builtin_4 Console.Write
        pop
        load_const " "
        push_i8 9
        call_builtin_1 VM.SignalName
        call_builtin_2 Console.WriteLine
        pop
        load_const "on signal 9: "
        push_i8 9
        make_function $handler
        call_builtin_2 VM.OnSignal
        load_const ", 15 with an int: "
        push_i8 15
        push_i8 3
        call_builtin_2 VM.OnSignal
        call_builtin_4 Console.Write
        pop
        load_const ", 2: "
        load_const "SIGINT"
        call_builtin_1 VM.SignalNumber
        make_function $handler
        call_builtin_2 VM.OnSignal
        call_builtin_2 Console.WriteLine
        pop
        load_const "raise out of range: "
        push_i8 0
        call_builtin_1 VM.RaiseSignal
        load_const " "
        push_i8 32
        call_builtin_1 VM.RaiseSignal
        call_builtin_4 Console.WriteLine
        pop
        call_builtin_0 Event.Create
        set_global "E"
        load_const "ready"
        call_builtin_1 Console.WriteLine
        pop
        load_const "main woke: "
        get_global "E"
        push_i16 8000
        call_builtin_2 Event.WaitOne
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    push_nil
    define_global "E"
    return_nil
.end
