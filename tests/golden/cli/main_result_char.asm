; A character gives its code.
; expect-exit: 65
.main
    .const $main function "Main"
        push_char 'A'
        return
    .end
    return_nil
.end
