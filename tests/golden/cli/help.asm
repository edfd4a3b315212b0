; --help prints the usage and exits 0 at once: the invalid option after it is never looked at.
; cmd: --help --stack=64
; expect-stderr: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr:
; expect-stderr: Usage:
; expect-stderr:  Execute compiled code:  tarvik --exec <bytecode.tvk> [--verbose --trace --time --stats --mem --jit --no-verify] <args>
; expect-stderr:  This help / version:    tarvik --help | --version
; expect-stderr:
; expect-exit: 0
.main
    return_nil
.end
