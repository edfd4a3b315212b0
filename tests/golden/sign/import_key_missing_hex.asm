; --import-key with one word after it does not match: both words become bare arguments.
; cmd: --import-key Alice
; expect-stderr: Tarvik VM 🔥 v1.0.0.9 (x86_64, 64-bit)
; expect-stderr:
; expect-stderr: Usage:
; expect-stderr:  Execute compiled code:  tarvik --exec <bytecode.tvk> [--verbose --trace --time --stats --mem --jit --no-verify] <args>
; expect-stderr:  This help / version:    tarvik --help | --version
; expect-stderr:
; expect-exit: 1
.main
    return_nil
.end
