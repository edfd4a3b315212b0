; A trailer with a package size of 191 is ignored.
; embed: yes
; patch-output: -8 bf00000000000000
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
