; The reserved opcodes 0xA2..0xA7 are refused as unknown.
; expect-stderr: Error: [Validate Chunk] : unknown opcode 162 at ip=1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    push_nil
    .bytes A2 00 00
.end
