; The catch target starts one deeper (the caught exception), so catch_store there passes.
; expect-exit: 0
.main
    .const $main function "Main"
        return_nil
    .end
    .const function "Checked"
        try_begin catch 0 finally
        try_end
        jump finally
        catch:
        catch_store
        finally:
        return_nil
    .end
    return_nil
.end
