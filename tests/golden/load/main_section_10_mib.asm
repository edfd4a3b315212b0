; A main section of exactly 10,485,760 bytes is accepted. Reading is bounded by the end
; of the file, not by r5, so the section here is a small chunk followed by padding.
; expect-exit: 0
.header
    .r5 main_start+10485760
.end
main_start:
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
.zero 10485760
