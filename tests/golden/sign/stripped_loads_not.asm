; sig_alg cleared after signing: the key and signature remain, so it is stripped.
; asm: --sign {keys}/test.key
; expect-stderr: Error: Package signature was STRIPPED - sig_alg is cleared but the public key and signature are still present
; expect-exit: 4
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
.patch 82 00
