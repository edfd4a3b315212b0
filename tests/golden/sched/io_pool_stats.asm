; --stats reports the I/O pool: the workers started (--io-threads=1) and the jobs
; that ran inline (none: one ReadTextAsync fits the ring); the slabs report follows.
; run: --stats --io-threads=1
; setup-file: a.txt hi
; expect-stdout: hi
; expect-stdout: 
; expect-stdout-re: \[Time\] Execution took [0-9.e+-]+ ms\. Idle time \d+ms
; expect-stdout: 
; expect-stdout: === I/O Statistics ===
; expect-stdout-re: Total VM idle time \(ms\): \d+
; expect-stdout: Total I/O reads:         0  (0 bytes)
; expect-stdout: Total I/O writes:        0  (0 bytes)
; expect-stdout: I/O pool workers:        1
; expect-stdout: Pool jobs run inline:    0  (queue was full - raise --io-threads)
; expect-stdout: 
; expect-stdout: === Slabs Report ===
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Cache .*
; expect-stdout-re: Slab 0: .*
; expect-stdout: Total slabs 1
; expect-stdout-re:   Total .*
; expect-stdout-re:   Total .*
; expect-stdout-re:   Total .*
; expect-stdout: 
.main
    .const $main function "Main" locals=1
        load_const "a.txt"
        call_builtin_1 File.ReadTextAsync
        await
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
