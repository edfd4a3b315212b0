; Bad dependency regions print an error line each, and the load goes on.
; A 64-character name is cut to 63 characters.
; expect-stderr: Error: [Bundle] Dep 'Far' region out of buffer bounds
; expect-stderr: Error: [Bundle] Dep 'Tail' region out of buffer bounds
; expect-stderr: Error: [Bundle] Dep 'Empty' has an empty chunk region
; expect-stderr: Error: [Bundle] Dep 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' region out of buffer bounds
; expect-exit: 0
.toc
    .dep "Good"
        .body
            return_nil
        .end
    .end
    .dep "Far"
        .offset 0xFFFFFFFFFF
        .length 1
    .end
    .dep "Tail"
        .offset 192
        .length 0xFFFFFF
    .end
    .dep "Empty"
        .offset 192
        .length 0
    .end
    .dep "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
        .offset 0x7FFFFFFFFFFFFFFF
        .length 0
    .end
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
