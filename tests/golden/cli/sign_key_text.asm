; A valid key given as text (either case) is accepted.
; run: --sign b2d1672d54043ae5a062697fccc31a6d315b1d7ebc744c93b65f82cd3ad9045eBBC797126D362382F12E9CCC9184D007429A247007D974AE6929996B434BED56
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
