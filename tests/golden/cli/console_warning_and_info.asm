; Warning and info lines on a terminal: their colours, the warning mark, no info mark.
; tty: stdout stderr
; cmd: --fifo=100 --verbose
; expect-stderr: {esc}[33m⚠️ Warning: {esc}[0mNote: FIFO size 100 rounded up to 128 (must be a power of two)
; expect-stderr: {esc}[96mInfo: {esc}[0mTarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr: {esc}[96mInfo: {esc}[0mInitializing VM...
; expect-stderr: {esc}[96mInfo: {esc}[0m Stack:  4096 slots
; expect-stderr: {esc}[96mInfo: {esc}[0m Fifo:   128 slots
; expect-stderr: {esc}[96mInfo: {esc}[0m Slabs:  1024 blocks (maximum allowed)
; expect-stderr: {esc}[96mInfo: {esc}[0m Fibers: 256
; expect-stderr: {esc}[96mInfo: {esc}[0m Timers: 64
; expect-stderr: {esc}[96mInfo: {esc}[0m Events: 64
; expect-stderr: {esc}[96mInfo: {esc}[0m Library-path: (none)
; expect-stderr: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr:
; expect-stderr: Usage:
; expect-stderr:  Execute compiled code:  tarvik --exec <bytecode.tvk> [--verbose --trace --time --stats --mem --jit --no-verify] <args>
; expect-stderr:  This help / version:    tarvik --help | --version
; expect-stderr:
; expect-stderr: {esc}[96mInfo: {esc}[0m=== Memory Report (before cleanup) ===
; expect-stderr: {esc}[96mInfo: {esc}[0mSlab 0: capacity=4096, used=0, free=4096
; expect-stderr: {esc}[96mInfo: {esc}[0mBlocks remaining on free: 0 of total size 0
; expect-exit: 1
.main
    return_nil
.end
