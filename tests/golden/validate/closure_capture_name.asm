; A closure capture name must be a string constant.
; expect-stderr: Error: [Validate Chunk] : property key const[1] is not a string at ip=0 op=OP_65
; expect-stderr: Error: Invalid bytecode chunk
; expect-exit: 4
.main
    .const $f function "F"
        return_nil
    .end
    .const int 5
    make_closure $f 1 1
    return
.end
