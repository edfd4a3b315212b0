; A function constant's chunk is validated when it is read.
; expect-stderr: Error: [Validate Chunk] : stack underflow at ip=0 (op pops past empty stack)
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const function "Main"
        pop
        return_nil
    .end
    return_nil
.end
