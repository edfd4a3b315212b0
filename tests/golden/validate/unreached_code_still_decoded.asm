; Unreached code is still decoded: an unknown opcode after a return fails.
; expect-stderr: Error: [Validate Chunk] : unknown opcode 255 at ip=1
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    return_nil
    .bytes FF
.end
