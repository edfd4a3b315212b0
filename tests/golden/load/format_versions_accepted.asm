; The oldest supported format version loads; so does any package_version and producer text.
; expect-exit: 0
.header
    .format_version 1.0.0.8
    .package_version 255.255.255.255
    .producer "0123456789abcdef0123456789abcdef"
    .producer_word 0xFFFFFFFFFFFFFFFF
.end
.main
    .const $main function "Main"
        return_nil
    .end
    return_nil
.end
