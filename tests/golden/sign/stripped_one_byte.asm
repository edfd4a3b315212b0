; sig_alg 0 with a single nonzero byte in the signature field is stripped.
; expect-stderr: Error: Package signature was STRIPPED - sig_alg is cleared but the public key and signature are still present
; expect-exit: 4
.header
    .at 179
    .u8 1
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
