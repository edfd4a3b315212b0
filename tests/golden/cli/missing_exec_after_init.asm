; Without --exec the VM is initialised first (verbose lines), then the usage follows.
; cmd: --verbose
; expect-stderr: Info: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: Info: Initializing VM...
; expect-stderr: Info:  Stack:  4096 slots
; expect-stderr: Info:  Fifo:   1024 slots
; expect-stderr: Info:  Slabs:  1024 blocks (maximum allowed)
; expect-stderr: Info:  Fibers: 256
; expect-stderr: Info:  Timers: 64
; expect-stderr: Info:  Events: 64
; expect-stderr: Info:  Library-path: (none)
; expect-stderr: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr:
; expect-stderr: Usage:
; expect-stderr:  Execute compiled code:  tarvik --exec <bytecode.tvk> [--verbose --trace --time --stats --mem --jit --no-verify] <args>
; expect-stderr:  This help / version:    tarvik --help | --version
; expect-stderr:
; expect-stderr: Info: === Memory Report (before cleanup) ===
; expect-stderr: Info: Slab 0: capacity=4096, used=0, free=4096
; expect-stderr: Info: Blocks remaining on free: 0 of total size 0
; expect-exit: 1
.main
    return_nil
.end
