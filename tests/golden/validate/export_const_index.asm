; OP_EXPORT with a source index past the constants.
; expect-stderr: Error: [Validate Chunk] : OP_EXPORT const index out of range at ip=0
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const string "A"
    export 0 7
    return_nil
.end
