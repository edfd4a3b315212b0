; A finally body that only the exception dispatcher enters is not followed by the
; validator, so its code may run off the end of the chunk; there it meets an
; illegal instruction (code 16) instead of whatever memory follows the code.
; expect-stdout: finally
; expect-stdout: Unhandled exception (code 16): Illegal instruction execution
; expect-stdout: Stack trace (depth: 1):
; expect-stdout:   at <anon> [ip=17, line=-1]
; expect-exit: 16
.main
    .const $main function "Main"
        try_begin caught 0 finally
        push_nil
        throw
    caught:
        push_nil
        throw
    finally:
        load_const "finally"
        call_builtin_1 Console.WriteLine
        pop
    .end
    return_nil
.end
