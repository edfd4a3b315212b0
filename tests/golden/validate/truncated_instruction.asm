; A load_const cut short: the message names ip + 1 and the missing operand bytes.
; expect-stderr: Error: [Validate Chunk] : bytecode truncation at ip=2 (needed 2 bytes)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const int 7
    push_nil
    .bytes 01 00
.end
