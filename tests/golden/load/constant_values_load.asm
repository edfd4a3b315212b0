; Every kind of constant value decodes; edge values among them.
; expect-exit: 0
.main
    .pool
        "a\0b"
    .end
    .const nil
    .const char 0x1F600
    .const float nan
    .const int 0x1000000000000000
    .const int 0x0FFFFFFFFFFFFFFF
    .const int -0x1000000000000000
    .const string "ab\0cd"
    .const string "" hash=0x1234
    .const pool 0
    .const bool 2
    .const block
    .const builtin
    .const module
    .const exception
    .const bound_method
    .const pointer
    .const array
    .end
    .const array flat
    .end
    .const array flat=7
        1.5 -0.0 bits=0x7FF8000000000001
    .end
    .const object
        string "k"
        int 1
        string "k"
        int 2
        pool 0
        array
            nil
        .end
    .end
    .const class "Point" base="Shape"
        .field "X" int 0
        .method "Get" function "Get" params=1
            return_nil
        .end
        .static "Count" int 0
        .field "X" int 1
    .end
    .const $main function "Main"
        .params 20
        .locals 200
        .param_types int|optional string any
        .function_flags 0xFFFFFFFF
        return_nil
    .end
    return_nil
.end
