; --fifo= and --fibers= round up to a power of two, each with a warning line.
; run: --fifo=1000 --fibers=3 --verbose
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-stderr: Warning: Note: FIFO size 1000 rounded up to 1024 (must be a power of two)
; expect-stderr: Warning: Note: max fibers 3 rounded up to 4 (must be a power of two)
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 4
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
; expect-exit: 4
.main
    return_nil
.end
