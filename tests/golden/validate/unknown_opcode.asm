; Byte 0xAD is above the last opcode.
; expect-stderr: Error: [Validate Chunk] : unknown opcode 173 at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .bytes AD
.end
