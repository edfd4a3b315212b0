; The flags byte after a tag is read before the tag is checked.
; expect-stderr: Error: Unexpected end of buffer while reading bytecode (211/211)
; expect-exit: 4
.main
    .const_count 1
    .code_size 1
    .const raw 03000000
    .rest
.end
