; A catalogue member without native code raises code 6 naming itself, after the
; argument checks passed; a handler catches it like any runtime error.
; expect-stdout: 6 Json.Parse is not implemented yet
.main
    .const $main function "Main" locals=1
        try_begin catch 0 finally
        load_const "[1]"
        call_builtin_1 Json.Parse
        pop
        try_end
    catch:
        catch_store
        get_local_0
        get_property "Code"
        push_char ' '
        get_local_0
        get_property "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    return_nil
.end
