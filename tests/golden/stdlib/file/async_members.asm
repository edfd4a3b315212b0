; The asynchronous File members: the fiber waits while a worker runs the job and
; resumes with the value; failures and refused inputs resume it with nil or false.
; run: --io-threads=2
; setup-file: a.txt hello
; expect-file: b.txt xy
; expect-stdout: hello
; expect-stdout: 
; expect-stdout: 6
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: 5891b5b522d5df086d0ff0b110fbd9d21bb4fc7163af34d08286a2e846f6be03
; expect-stdout: 5891B5B522D5DF086D0FF0B110FBD9D21BB4FC7163AF34D08286A2E846F6BE03
; expect-stdout: nil
; expect-stdout: false
; expect-stdout: after
.main
    .const $main function "Main" locals=2
        load_const "a.txt"
        call_builtin_1 File.ReadTextAsync
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "a.txt"
        call_builtin_1 File.ReadAllBytesAsync
        await
        len
        call_builtin_1 Console.WriteLine
        pop
        load_const "b.txt"
        load_const "xy\n"
        call_builtin_2 File.WriteTextAsync
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "a.txt"
        load_const "c.txt"
        call_builtin_2 File.CopyAsync
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "a.txt"
        load_const "a.txt"
        call_builtin_2 File.CopyAsync
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "c.txt"
        call_builtin_1 File.Sha256Async
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "c.txt"
        push_true
        call_builtin_2 File.Sha256Async
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "missing.txt"
        call_builtin_1 File.ReadTextAsync
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "b.txt"
        push_nil
        call_builtin_2 File.WriteTextAsync
        await
        call_builtin_1 Console.WriteLine
        pop
        load_const "after"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
