; Path members on ordinary and edge inputs; TempFile creates its file in $TMPDIR.
; env: TMPDIR={tmp}/t
; setup-dir: t
; expect-stdout: a/b/c/d
; expect-stdout: a/b/c/../d
; expect-stdout: .gz
; expect-stdout: false
; expect-stdout: a/b.md
; expect-stdout: b.txt
; expect-stdout: b.c
; expect-stdout: /a/b
; expect-stdout: /
; expect-stdout: false
; expect-stdout: {tmp}
; expect-stdout: {tmp}/x/../y
; expect-stdout: {tmp}/y
; expect-stdout: ../../d/e
; expect-stdout: nil
; expect-stdout-re: {tmp}/t/tarvik-[A-Za-z0-9]{6}
.main
    .const $main function "Main" locals=1
        load_const "a\\b"
        load_const "c"
        load_const "/d"
        call_builtin_3 Path.Combine
        call_builtin_1 Console.WriteLine
        pop
        load_const "a\\b//./c/../d"
        call_builtin_1 Path.Normalize
        call_builtin_1 Console.WriteLine
        pop
        load_const "dir.x/file.tar.gz"
        call_builtin_1 Path.GetExtension
        call_builtin_1 Console.WriteLine
        pop
        load_const ".profile"
        call_builtin_1 Path.HasExtension
        call_builtin_1 Console.WriteLine
        pop
        load_const "a/b.txt"
        load_const "md"
        call_builtin_2 Path.ChangeExtension
        call_builtin_1 Console.WriteLine
        pop
        load_const "a\\b.txt"
        call_builtin_1 Path.GetFileName
        call_builtin_1 Console.WriteLine
        pop
        load_const "a/b.c.txt"
        call_builtin_1 Path.GetFileNameWithoutExtension
        call_builtin_1 Console.WriteLine
        pop
        load_const "/a/b//c"
        call_builtin_1 Path.GetDirectoryName
        call_builtin_1 Console.WriteLine
        pop
        load_const "/a"
        call_builtin_1 Path.GetRoot
        call_builtin_1 Console.WriteLine
        pop
        load_const "a/b"
        call_builtin_1 Path.IsAbsolute
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Path.GetCurrentDir
        call_builtin_1 Console.WriteLine
        pop
        load_const "x/../y"
        call_builtin_1 Path.GetFullPath
        call_builtin_1 Console.WriteLine
        pop
        load_const "x/./../y/"
        call_builtin_1 Path.Resolve
        call_builtin_1 Console.WriteLine
        pop
        load_const "a/b/c"
        load_const "a/d/e"
        call_builtin_2 Path.GetRelativePath
        call_builtin_1 Console.WriteLine
        pop
        load_const "no/slash"
        call_builtin_1 Path.TempFile
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Path.TempFile
        set_local_0
        get_local_0
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
