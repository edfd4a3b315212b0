; A closure whose second capture triple is missing: the triple's offset is named.
; expect-stderr: Error: [Validate Chunk] : bytecode truncation at ip=7 (needed 3 bytes)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const function "F"
        return_nil
    .end
    .const string "x"
    .bytes 65 0000 02 010005
.end
