; A native method called with 16 arguments passes 17 values (the receiver is
; one): code 3 is raised before the arguments are checked, so even --verbose
; prints no count line.
; run: --verbose
; expect-stdout: 3 Invalid argument(s) - type or length mismatch
; expect-stdout-re: \[Time\] Execution took [0-9.e+-]+ ms\. Idle time [0-9]+ms
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Info: No more work to do. Exit VM.
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
.main
    .const $main function "Main" locals=1
        try_begin catch 0 finally
        get_global "Exception"
        new 0
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        push_one
        call_method "ToString" 16
        pop
        try_end
    catch:
        catch_store
        get_local_0
        get_property "Code"
        push_char ' '
        get_local_0
        get_property "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    return_nil
.end
