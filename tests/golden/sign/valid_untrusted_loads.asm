; A valid signature by an untrusted key loads; the trace line names the signer.
; asm: --sign {keys}/other.key
; run: --trace
; expect-stdout:  Size of Object  32 bytes
; expect-stdout:  Size of FIFO    8192 bytes
; expect-stdout:  Size of Stack   32768 bytes
; expect-stdout:  Size of Fiber   1 kbytes
; expect-stdout:  Max slabs size: 131072 kbytes ...
; expect-stdout: No entry-function declared or defined, exiting (0xC6783A229050BEDC).
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Info: Package signature valid (untrusted signer 2f880f44022a651324e857f8346f807dd3b7823604a609b7478fd9a12e0f10d1)
; expect-stderr: Info: Total VM idle time (ms): 0
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
; expect-exit: 4
.main
    return_nil
.end
