; An unhandled error ends the run from inside a nested frame with values still on
; the stack; the shutdown still releases the fiber and everything it held, so --mem
; finds no leak and the status is the error code.
; run: --mem
; expect-stdout: Unhandled exception! IP=3 Line: -1 Code: 1, Message: 'Division by zero'
; expect-stdout: Stack trace (depth: 2):
; expect-stdout:   at <anon> [ip=10, line=-1]
; expect-stdout:   at <anon> [ip=3, line=-1]
; expect-stdout:
; expect-stdout: === Memory Report ===
; expect-stdout-re:   Peak RSS \(OS\): +[0-9.]+ [KMG]?B
; expect-stdout:   Slab pool footprint:     128.00 KB  (1 slabs x 4096 objects x 32 bytes)
; expect-stdout-re:   Peak live objects: +[0-9]+
; expect-stdout-re:   Total objects created: +[0-9]+
; expect-stdout-re:   Heap allocated: +[0-9.]+ [KMG]?B  \(malloc cumulative\)
; expect-stdout:   Block regions at exit:   0  (0 B)
; expect-stdout:   Leaked objects:          0
; expect-stdout:
; expect-exit: 1
.main
    .const $main function "Main"
        .const $inner function "Inner" params=1
            get_local_0
            push_i8 0
            div
            return
        .end
        load_const "held"
        push_i8 5
        make_function $inner
        call 1
        return
    .end
    return_nil
.end
