; Copy and SendFile between files and through a pipe, ReadAll's limits and its
; time-out on a pipe that stays open, WriteBytes bounds, and the standard streams
; (output keeps its order with Console; closing the duplicate leaves the original).
; setup-file: src.txt hello world
; stdin: from stdin
; expect-file: dst.txt hello world
; expect-stdout: true
; expect-stdout: 12
; expect-stdout: 5
; expect-stdout: world
; expect-stdout: 5
; expect-stdout: 0
; expect-stdout: 7
; expect-stdout: 0
; expect-stdout: 5
; expect-stdout: 12
; expect-stdout: 0
; expect-stdout: hello
; expect-stdout: 
; expect-stdout: nil
; expect-stdout: before
; expect-stdout: direct
; expect-stdout: true
; expect-stdout: after
; expect-stdout: from stdin
.main
    .const $main function "Main" locals=4
        load_const "src.txt"
        load_const "r"
        call_builtin_2 Stream.Open
        load_const "dst.txt"
        load_const "w"
        call_builtin_2 Stream.Open
        push_i8 4
        call_builtin_3 Stream.Copy
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Stream.Pipe
        set_local_0
        get_local_0
        push_i8 0
        get_index
        set_local_1
        get_local_0
        push_one
        get_index
        set_local_2
        load_const "src.txt"
        load_const "r"
        call_builtin_2 Stream.Open
        get_local_2
        call_builtin_2 Stream.Copy
        pop
        get_local_1
        push_i8 12
        call_builtin_2 Stream.ReadAll
        len
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        load_const "src.txt"
        push_i8 6
        push_i8 5
        call_builtin_4 Stream.SendFile
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 100
        call_builtin_2 Stream.ReadString
        call_builtin_1 Console.WriteLine
        pop
        load_const "src.txt"
        load_const "r"
        call_builtin_2 Stream.Open
        set_local_3
        get_local_3
        push_i8 5
        call_builtin_2 Stream.ReadAll
        len
        call_builtin_1 Console.WriteLine
        pop
        get_local_3
        push_i8 -3
        call_builtin_2 Stream.ReadAll
        len
        call_builtin_1 Console.WriteLine
        pop
        get_local_3
        call_builtin_1 Stream.ReadAll
        len
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_nil
        push_one
        call_builtin_3 Stream.ReadAll
        len
        call_builtin_1 Console.WriteLine
        pop
        load_const "src.txt"
        call_builtin_1 File.ReadAllBytes
        set_local_3
        get_local_2
        get_local_3
        push_i8 5
        call_builtin_3 Stream.WriteBytes
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        get_local_3
        push_i8 100
        call_builtin_3 Stream.WriteBytes
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        get_local_3
        push_minus_one
        call_builtin_3 Stream.WriteBytes
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 5
        call_builtin_2 Stream.ReadString
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        push_i8 0
        call_builtin_2 Stream.ReadString
        call_builtin_1 Console.WriteLine
        pop
        get_local_2
        call_builtin_1 Stream.Close
        pop
        get_local_1
        call_builtin_1 Stream.ReadAll
        len
        pop
        get_local_1
        call_builtin_1 Stream.ReadByte
        call_builtin_1 Console.WriteLine
        pop
        load_const "before"
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Stream.Stdout
        set_local_0
        get_local_0
        load_const "direct\n"
        call_builtin_2 Stream.WriteString
        pop
        get_local_0
        call_builtin_1 Stream.Close
        call_builtin_1 Console.WriteLine
        pop
        load_const "after"
        call_builtin_1 Console.WriteLine
        pop
        call_builtin_0 Stream.Stdin
        call_builtin_1 Stream.ReadLine
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
