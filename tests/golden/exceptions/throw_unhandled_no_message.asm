; An escaping exception whose Error is not a string reports "<no message>"; a
; Code that is not an int is read as an integer, for the line and the status.
; expect-stdout: Unhandled exception (code 7): <no message>
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=12, line=-1]
; expect-exit: 7
.main
    .const $main function "Main"
        push_f32 7.75
        push_i8 12
        get_global "Exception"
        new 2
        throw
        return_nil
    .end
    return_nil
.end
