; Valid requirements (one of them a range with a space inside) are accepted and have no effect.
; run: --min-version=1.2 '--min-version=>=1.2 <2' --min-version=<3
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
