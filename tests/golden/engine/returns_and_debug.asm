; The return forms (OP_RETURN_LOCAL moves the local out, OP_RETURN_NIL, and
; OP_RETURN_TO_HOST, after which the run loop resumes the caller) and the debug
; instructions, where OP_BREAKPOINT prints the recorded function name and line.
; expect-stdout: return_local: 7
; expect-stdout: return_nil: nil
; expect-stdout: return_to_host: 5
; expect-stdout: [Breakpoint:1] <anon> (<unknown>:-1)
; expect-stdout: [Breakpoint:2] Inner (<unknown>:42)
; expect-stdout: [Breakpoint:65535] Main (<unknown>:0)
.main
    .const $main function "Main"
        .const $local function "Local"
            push_i8 7
            set_local_1
            return_local 1
        .end
        .const $nothing function "Nothing"
            return_nil
        .end
        .const $to_host function "ToHost"
            push_i8 5
            return_to_host
        .end
        .const $inner function "Inner"
            breakpoint 1
            func_name "Inner"
            file_name "ignored.src"
            line 42
            breakpoint 2
            return_nil
        .end
        load_const "return_local: "
        make_function $local
        call 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "return_nil: "
        make_function $nothing
        call 0
        call_builtin_2 Console.WriteLine
        pop
        load_const "return_to_host: "
        make_function $to_host
        call 0
        call_builtin_2 Console.WriteLine
        pop
        make_function $inner
        call 0
        pop
        func_name "Main"
        line 0
        breakpoint 65535
        return_nil
    .end
    return_nil
.end
