; A chunk version older than 1.0.0.8 is refused.
; expect-stderr: Error: Chunk bytecode version 1.0.0.7 is older than the minimum supported 1.0.0.8 - recompile the source
; expect-exit: 4
.main
    .version 1.0.0.7
    return_nil
.end
