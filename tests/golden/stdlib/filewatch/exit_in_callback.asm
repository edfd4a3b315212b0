; A callback that ends the VM (VM.Exit) leaves nothing behind: no leak under --mem,
; no descriptor or thread.
; setup-dir: c
; expect-stdout: create
; expect-exit: 7
.main
    .const $main function "Main" locals=1
        .const $quit function "Quit" params=2
            get_local_0
            get_property "event"
            call_builtin_1 Console.WriteLine
            pop
            push_i8 7
            call_builtin_1 VM.Exit
            return
        .end
        load_const "c"
        make_function $quit
        call_builtin_2 FileWatch.Open
        pop
        load_const "c/a.txt"
        load_const "a"
        call_builtin_2 File.WriteText
        pop
        push_i16 2000
        call_builtin_1 Fiber.Sleep
        return_nil
    .end
    return_nil
.end
