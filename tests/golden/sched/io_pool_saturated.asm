; 300 fibers each hash a 256 KiB file with File.Sha256Async against one worker: the
; ring of 256 jobs fills, the rest run on the VM thread (warned about once, counted
; in the statistics), and every fiber still gets its digest.
; run: --stats --io-threads=1 --fibers=1024
; expect-stderr: Warning: I/O pool saturated (256 queued): running work on the VM thread. Raise --io-threads or reduce concurrent async operations.
; expect-stdout: digest in every fiber: 300
; expect-stdout-re: \[Time\] Execution took [0-9.e+-]+ ms\. Idle time \d+ms
; expect-stdout: 
; expect-stdout: === I/O Statistics ===
; expect-stdout-re: Total VM idle time \(ms\): \d+
; expect-stdout: Total I/O reads:         0  (0 bytes)
; expect-stdout: Total I/O writes:        0  (0 bytes)
; expect-stdout: I/O pool workers:        1
; expect-stdout-re: Pool jobs run inline:    [1-9]\d*  \(queue was full - raise --io-threads\)
; expect-stdout: 
; expect-stdout: === Slabs Report ===
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Slab \d+: .*
; expect-stdout: Total slabs 1
; expect-stdout-re:   Total .*
; expect-stdout-re:   Total .*
; expect-stdout-re:   Total .*
; expect-stdout: 
.main
    .const $main function "Main" locals=3
        .const $reader function "Reader"
            load_const "a.txt"
            call_builtin_1 File.Sha256Async
            await
            len
            push_i8 64
            eq
            jump_if_false short
            get_global "Done"
            push_i8 1
            add
            set_global "Done"
        short:
            return_nil
        .end
        load_const "x"
        set_local_1
        push_i8 0
        set_local_0
    double:
        cmp_jump_lc 0 lt 18 doubled
        get_local_1
        get_local_1
        add
        set_local_1
        inc_local 0
        loop double
    doubled:
        load_const "a.txt"
        get_local_1
        call_builtin_2 File.WriteText
        pop
        push_i16 300
        set_local_2
        push_i8 0
        set_local_0
    spawn:
        cmp_jump_ll 0 2 lt spawned
        make_function $reader
        call_builtin_1 Fiber.New
        call_builtin_1 Scheduler.Schedule
        pop
        inc_local 0
        loop spawn
    spawned:
        get_global "Done"
        push_i16 300
        lt
        jump_if_false finished
        push_i8 1
        call_builtin_1 Fiber.Sleep
        pop
        loop spawned
    finished:
        load_const "digest in every fiber: "
        get_global "Done"
        call_builtin_2 Console.WriteLine
        return_nil
    .end
    push_i8 0
    define_global "Done"
    return_nil
.end
