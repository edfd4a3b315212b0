; File.Lines calls the function once per line (CRLF and a last line without line
; feed included) and answers the count; a callback that raises stops the walk and
; its exception reaches the script.
; setup-file: in.txt one\r\ntwo\n\nlast
; expect-stdout: <one>
; expect-stdout: <two>
; expect-stdout: <>
; expect-stdout: <last>
; expect-stdout: 4
; expect-stdout: <one>
; expect-stdout: caught 1
.main
    .const $main function "Main" locals=1
        .const $show function "Show" params=1
            load_const "<"
            get_local_0
            load_const ">"
            call_builtin_3 Console.WriteLine
            return
        .end
        .const $fail function "Fail" params=1
            load_const "<"
            get_local_0
            load_const ">"
            call_builtin_3 Console.WriteLine
            pop
            push_one
            push_i8 0
            div
            return
        .end
        load_const "in.txt"
        load_const $show
        call_builtin_2 File.Lines
        call_builtin_1 Console.WriteLine
        pop
        try_begin catch 0 finally
        load_const "in.txt"
        load_const $fail
        call_builtin_2 File.Lines
        call_builtin_1 Console.WriteLine
        pop
        try_end
    catch:
        catch_store
        load_const "caught "
        get_local_0
        get_property "Code"
        call_builtin_2 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    return_nil
.end
