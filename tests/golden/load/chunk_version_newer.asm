; A chunk version newer than 1.0.0.9 is refused (checked before the counts).
; expect-stderr: Error: Chunk bytecode version 1.0.0.10 is newer than this VM supports
; expect-exit: 4
.main
    .version 1.0.0.10
    .code_size 0
    return_nil
.end
