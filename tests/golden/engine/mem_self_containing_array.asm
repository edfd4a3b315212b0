; An array that contains itself is never freed: --mem lists it (its rendering stops
; at 64 open levels), reports one leaked object and ends with status 3.
; run: --mem
; expect-stdout-re: Leak: 0x[0-9a-f]+ type=64 refs=1 DBG-VAL: \[0x[0-9a-f]+\] type array\. Refs 1 Static 0\. Alloc: 1 Value:\[{64}\.\.\.\]{64}
; expect-stdout:
; expect-stdout: === Memory Report ===
; expect-stdout-re:   Peak RSS \(OS\): +[0-9.]+ [KMG]?B
; expect-stdout:   Slab pool footprint:     128.00 KB  (1 slabs x 4096 objects x 32 bytes)
; expect-stdout-re:   Peak live objects: +[0-9]+
; expect-stdout-re:   Total objects created: +[0-9]+
; expect-stdout-re:   Heap allocated: +[0-9.]+ [KMG]?B  \(malloc cumulative\)
; expect-stdout:   Block regions at exit:   0  (0 B)
; expect-stdout:   Leaked objects:          1
; expect-stdout:
; expect-stderr: Error: Detected 1 leaked objects at shutdown.
; expect-exit: 3
.main
    .const $main function "Main"
        build_array 0 0
        set_local_0
        get_local_0
        set_index_li 0 0
        return_nil
    .end
    return_nil
.end
