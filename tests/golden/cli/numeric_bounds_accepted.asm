; Every numeric option at a bound is accepted; the verbose start-up lines show the values.
; 9 is not a power of two and becomes 16 with a warning; 1024 needs no rounding.
; A package without Main keeps the run short.
; run: --stack=65 --fifo=9 --slabs=65535 --frames=8 --fibers=1024 --io-threads=16 --libs={tmp}/lib --verbose
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-stderr: Warning: Note: FIFO size 9 rounded up to 16 (must be a power of two)
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  65 slots
; expect-stderr: Info:  Fifo:   16 slots
; expect-stderr: Info:  Slabs:  65535 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 1024
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: {tmp}/lib
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
; expect-exit: 4
.main
    return_nil
.end
