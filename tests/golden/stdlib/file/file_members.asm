; File members against real files: text with NUL bytes and CRLF lines, appends,
; copies (never onto themselves), moves, atomic writes that leave no temporary,
; times, modes, links; failures answer false or nil.
; setup-file: in.txt one\r\ntwo
; setup-dir: out
; expect-file: lines.txt x
; expect-file: lines.txt 1
; expect-file: lines.txt true
; expect-file: lines.txt y
; expect-stdout: [one, two]
; expect-stdout: true
; expect-stdout: true
; expect-stdout: 3
; expect-stdout: true
; expect-stdout: true
; expect-stdout: nil
; expect-stdout: false
; expect-stdout: 9
; expect-stdout: true
; expect-stdout: true
; expect-stdout: false
; expect-stdout: [one, two]
; expect-stdout: true
; expect-stdout: false
; expect-stdout: false
; expect-stdout: true
; expect-stdout: true
; expect-stdout: [data.bin]
; expect-stdout: false
; expect-stdout: false
; expect-stdout: []
; expect-stdout: xyzw
; expect-stdout: 225637ee5f9591be070a6b61c35d737d773d4734d8358aacb836d0aa6206a82b
; expect-stdout: 225637EE5F9591BE070A6B61C35D737D773D4734D8358AACB836D0AA6206A82B
; expect-stdout: nil
; expect-stdout: 4
; expect-stdout: true
; expect-stdout: 1000000000
; expect-stdout: true
; expect-stdout: 1
; expect-stdout: true
; expect-stdout: in.txt
; expect-stdout: nil
; expect-stdout: true
; expect-stdout: 9
; expect-stdout: true
; expect-stdout: false
; expect-stdout: true
; expect-stdout: 0
; expect-stdout: true
.main
    .const $main function "Main" locals=2
        load_const "in.txt"
        call_builtin_1 File.ReadLines
        call_builtin_1 Console.WriteLine
        pop
        load_const "t.txt"
        load_const "ab"
        call_builtin_2 File.WriteText
        call_builtin_1 Console.WriteLine
        pop
        load_const "t.txt"
        load_const "c"
        call_builtin_2 File.AppendText
        call_builtin_1 Console.WriteLine
        pop
        load_const "t.txt"
        call_builtin_1 File.Size
        call_builtin_1 Console.WriteLine
        pop
        load_const "x"
        push_one
        push_true
        build_array 3 0
        set_local_0
        load_const "lines.txt"
        get_local_0
        call_builtin_2 File.WriteLines
        call_builtin_1 Console.WriteLine
        pop
        load_const "lines.txt"
        load_const "y"
        build_array 1 0
        call_builtin_2 File.AppendLines
        call_builtin_1 Console.WriteLine
        pop
        load_const "missing.txt"
        call_builtin_1 File.ReadText
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        load_const "./in.txt"
        call_builtin_2 File.Copy
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        call_builtin_1 File.Size
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        load_const "c.txt"
        call_builtin_2 File.Copy
        call_builtin_1 Console.WriteLine
        pop
        load_const "c.txt"
        load_const "d.txt"
        call_builtin_2 File.Move
        call_builtin_1 Console.WriteLine
        pop
        load_const "c.txt"
        call_builtin_1 File.Exists
        call_builtin_1 Console.WriteLine
        pop
        load_const "d.txt"
        call_builtin_1 File.ReadLines
        call_builtin_1 Console.WriteLine
        pop
        load_const "d.txt"
        call_builtin_1 File.Delete
        call_builtin_1 Console.WriteLine
        pop
        load_const "d.txt"
        call_builtin_1 File.Delete
        call_builtin_1 Console.WriteLine
        pop
        load_const "out"
        call_builtin_1 File.Exists
        call_builtin_1 Console.WriteLine
        pop
        load_const "out/data.bin"
        load_const "xyz"
        call_builtin_2 File.WriteAtomic
        call_builtin_1 Console.WriteLine
        pop
        load_const "out/data.bin"
        load_const "xyzw"
        call_builtin_2 File.WriteAtomic
        call_builtin_1 Console.WriteLine
        pop
        load_const "out"
        call_builtin_1 Directory.List
        call_builtin_1 Console.WriteLine
        pop
        load_const "nodir/data.bin"
        load_const "xyz"
        call_builtin_2 File.WriteAtomic
        call_builtin_1 Console.WriteLine
        pop
        load_const "out"
        load_const "over a directory"
        call_builtin_2 File.WriteAtomic
        call_builtin_1 Console.WriteLine
        pop
        load_const ".tarviktmp_*"
        call_builtin_1 Directory.Glob
        call_builtin_1 Console.WriteLine
        pop
        load_const "out/data.bin"
        call_builtin_1 File.ReadText
        call_builtin_1 Console.WriteLine
        pop
        load_const "out/data.bin"
        call_builtin_1 File.Sha256
        call_builtin_1 Console.WriteLine
        pop
        load_const "out/data.bin"
        push_true
        call_builtin_2 File.Sha256
        call_builtin_1 Console.WriteLine
        pop
        load_const "out"
        call_builtin_1 File.Sha256
        call_builtin_1 Console.WriteLine
        pop
        load_const "out/data.bin"
        call_builtin_1 File.ReadAllBytes
        len
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        push_i32 1000000000
        call_builtin_2 File.SetModifiedTime
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        call_builtin_1 File.GetModifiedTime
        call_builtin_1 Console.WriteLine
        pop
        load_const "t.txt"
        push_i32 1
        call_builtin_2 File.Truncate
        call_builtin_1 Console.WriteLine
        pop
        load_const "t.txt"
        call_builtin_1 File.Size
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        load_const "ln"
        call_builtin_2 File.CreateSymlink
        call_builtin_1 Console.WriteLine
        pop
        load_const "ln"
        call_builtin_1 File.ReadLink
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        call_builtin_1 File.ReadLink
        call_builtin_1 Console.WriteLine
        pop
        load_const "ln"
        call_builtin_1 File.Stat
        load_const "IsSymlink"
        push_nil
        call_builtin_3 Object.TryGet
        call_builtin_1 Console.WriteLine
        pop
        load_const "ln"
        call_builtin_1 File.Stat
        load_const "Size"
        push_nil
        call_builtin_3 Object.TryGet
        call_builtin_1 Console.WriteLine
        pop
        load_const "in.txt"
        load_const "hard"
        call_builtin_2 File.CreateHardLink
        call_builtin_1 Console.WriteLine
        pop
        load_const "hard"
        load_const "in.txt"
        call_builtin_2 File.Copy
        call_builtin_1 Console.WriteLine
        pop
        load_const "new.txt"
        call_builtin_1 File.Touch
        call_builtin_1 Console.WriteLine
        pop
        load_const "new.txt"
        call_builtin_1 File.Size
        call_builtin_1 Console.WriteLine
        pop
        load_const "new.txt"
        push_i32 0
        call_builtin_2 File.SetMode
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
