; Directory members against a real tree: sorted listings, wildcard filters, glob,
; recursive create, copy (a destination inside the source is not copied into
; itself), delete and move; temporary directories in $TMPDIR.
; env: TMPDIR={tmp}/t
; setup-dir: t
; setup-file: tree/a.txt A
; setup-file: tree/b.log B
; setup-file: tree/.hidden H
; setup-file: tree/sub/c.txt C
; expect-file: n2/m/o/k.txt xyz
; expect-stdout: [.hidden, a.txt, b.log, sub]
; expect-stdout: [a.txt]
; expect-stdout: [.hidden, a.txt, b.log]
; expect-stdout: [sub]
; expect-stdout: nil
; expect-stdout: [tree/sub/c.txt]
; expect-stdout: [tree/a.txt, tree/b.log, tree/sub]
; expect-stdout: [tree/.hidden]
; expect-stdout: [tree/sub/../a.txt]
; expect-stdout: []
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: true
; expect-stdout: [.hidden, a.txt, b.log, sub]
; expect-stdout: [c.txt]
; expect-stdout: false
; expect-stdout: false
; expect-stdout: true
; expect-stdout: false
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: true
; expect-stdout: true
.main
    .const $main function "Main" locals=2
        load_const "tree"
        call_builtin_1 Directory.List
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree"
        load_const "*.t?t"
        call_builtin_2 Directory.ListFiles
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree"
        call_builtin_1 Directory.ListFiles
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree"
        call_builtin_1 Directory.ListDirs
        call_builtin_1 Console.WriteLine
        pop
        load_const "nothing"
        call_builtin_1 Directory.List
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree/*/*.txt"
        call_builtin_1 Directory.Glob
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree//*"
        call_builtin_1 Directory.Glob
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree\\.h*"
        call_builtin_1 Directory.Glob
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree/sub/../a*"
        call_builtin_1 Directory.Glob
        call_builtin_1 Console.WriteLine
        pop
        load_const "///"
        call_builtin_1 Directory.Glob
        call_builtin_1 Console.WriteLine
        pop
        load_const "n/m/o"
        call_builtin_1 Directory.Ensure
        call_builtin_1 Console.WriteLine
        pop
        load_const "n/m/o/"
        call_builtin_1 Directory.Ensure
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree/a.txt/x"
        call_builtin_1 Directory.Ensure
        call_builtin_1 Console.WriteLine
        pop
        load_const "n/m/o/k.txt"
        load_const "xyz\n"
        call_builtin_2 File.WriteText
        call_builtin_1 Console.WriteLine
        pop
        load_const "n/m/o"
        call_builtin_1 Directory.Exists
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree/a.txt"
        call_builtin_1 Directory.Exists
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree"
        load_const "tree/sub/copy"
        call_builtin_2 Directory.Copy
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree/sub/copy"
        call_builtin_1 Directory.List
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree/sub/copy/sub"
        call_builtin_1 Directory.List
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree"
        call_builtin_1 Directory.Delete
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree/a.txt"
        call_builtin_1 Directory.DeleteAll
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree"
        call_builtin_1 Directory.DeleteAll
        call_builtin_1 Console.WriteLine
        pop
        load_const "tree"
        call_builtin_1 Directory.Exists
        call_builtin_1 Console.WriteLine
        pop
        load_const "n"
        load_const "n2"
        call_builtin_2 Directory.Move
        call_builtin_1 Console.WriteLine
        pop
        load_const "e"
        call_builtin_1 Directory.Create
        call_builtin_1 Console.WriteLine
        pop
        load_const "e"
        call_builtin_1 Directory.Create
        call_builtin_1 Console.WriteLine
        pop
        load_const "e"
        call_builtin_1 Directory.Delete
        call_builtin_1 Console.WriteLine
        pop
        load_const "x/y"
        call_builtin_1 Directory.CreateTemp
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Directory.CreateTemp
        call_builtin_1 Directory.Exists
        call_builtin_1 Console.WriteLine
        pop
        load_const "t/tarvik-??????"
        call_builtin_1 Directory.Glob
        len
        push_i8 1
        eq
        pop
        load_const "t/tarvik-??????"
        call_builtin_1 Directory.Glob
        len
        push_i8 1
        eq
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
