; Without a handler the not-implemented error ends the process with status 6.
; expect-stdout: Unhandled exception! IP=9 Line: 2 Code: 6, Message: 'Json.IsValid is not implemented yet'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=9, line=2]
; expect-exit: 6
.main
    .const $main function "Main"
        line 2
        load_const "{}"
        call_builtin_1 Json.IsValid
        return
    .end
    return_nil
.end
