; A main section of 10,485,761 bytes is refused.
; expect-stderr: Error: Invalid main section length
; expect-exit: 4
.header
    .r5 main_start+10485761
.end
main_start:
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
.zero 10485761
