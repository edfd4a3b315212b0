; A rejected throw with no handler anywhere is a runtime error: the immediate
; report names the throw instruction's position and the status is 22.
; expect-stdout: Unhandled exception! IP=7 Line: 3 Code: 22, Message: 'throw requires an Exception (or subclass) instance'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=7, line=3]
; expect-exit: 22
.main
    .const $main function "Main"
        line 3
        load_const "text"
        throw
        return_nil
    .end
    return_nil
.end
