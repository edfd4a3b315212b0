; Equal string constants (also in pooled form) share a hash and pass.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        .const string "ab"
        .const string "ab"
        .const pool "ab"
        .const pool 0
        return_nil
    .end
    return_nil
.end
