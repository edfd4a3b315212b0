; An unhandled error ends the run even when a destructor that raises runs while it
; is pending: here the constructor refuses its argument, the half-built instance is
; released, and its destructor's error is swallowed at its boundary. That swallow
; once cleared the fiber's unhandled state, so Main went on past the fatal error
; (into a stack underflow raised for ever, with no slice end to stop it).
; expect-stderr: Warning: [boundary] 'Destructor' callback raised (swallowed)
; expect-stdout: Unhandled exception! IP=8 Line: -1 Code: 3, Message: 'Invalid argument(s) - type or length mismatch'
; expect-stdout: Stack trace (depth: 1):
; expect-stdout-re:   at .*
; expect-exit: 3
.main
    .const $k class "K"
        .field "N" int 0
        .method "Constructor" function "Constructor"
            .params 2
            .param_types 0 int
            return_nil
        .end
        .method "Destructor" function "Destructor" params=1
            push_one
            push_i8 0
            div
            return
        .end
    .end
    .const $main function "Main"
        load_const "not an int"
        get_global "K"
        new 1
        pop
        load_const "not reached"
        call_builtin_1 Console.WriteLine
        return_nil
    .end
    load_const $k
    define_global "K"
    return_nil
.end
