; Main is found among other constants, with a pooled name.
; expect-exit: 0
.main
    .const int 1
    .const function "Other"
        return_nil
    .end
    .const function
        .name pool "Main"
        return_nil
    .end
    return_nil
.end
