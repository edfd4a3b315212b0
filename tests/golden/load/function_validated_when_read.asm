; A function's chunk is validated as soon as it is read, before the next constant.
; expect-stderr: Error: [Validate Chunk] : stack underflow at ip=0 (op pops past empty stack)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const function "F"
        pop
        return_nil
    .end
    .const tag 3
    return_nil
.end
