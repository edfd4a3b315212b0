; With --trace the immediate report also lists the value stack, top slot first,
; each with its value word, its slot number and its traced rendering.
; run: --trace
; expect-stdout:  Size of Object  32 bytes
; expect-stdout:  Size of FIFO    8192 bytes
; expect-stdout:  Size of Stack   32768 bytes
; expect-stdout:  Size of Fiber   1 kbytes
; expect-stdout:  Max slabs size: 131072 kbytes ...
; expect-stdout: Unhandled exception! IP=6 Line: -1 Code: 1, Message: 'Division by zero'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=6, line=-1]
; expect-stdout:  0x6  [1] Value=R:1 true
; expect-stdout:  0x15  [0] Value=R:1 5
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr-re: Info: Total VM idle time \(ms\): [0-9]+
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
; expect-exit: 1
.main
    .const $main function "Main"
        push_i8 5
        push_true
        push_one
        push_i8 0
        div
        return
    .end
    return_nil
.end
