; A directory watch reports names relative to the watched directory, in
; subdirectories too (one created after the watch began included): creations,
; renames (old and new name) and deletions, with the watch id as the second
; argument. Close frees the slot (a second Close, an unknown id: false) and no
; event arrives after it. A missing directory gives -1, as does a value that is
; not callable; a bare file name is a file watch in the current directory. The script waits for the events with Fiber.Sleep, at most 2 s.
; setup-dir: w
; expect-stdout: id 0
; expect-stdout: create:a.txt true
; expect-stdout: create:sub true
; expect-stdout: create:sub/b.txt true
; expect-stdout: rename:sub/b.txt true
; expect-stdout: rename:sub/c.txt true
; expect-stdout: delete:a.txt true
; expect-stdout: callback id 0
; expect-stdout: close true false false false
; expect-stdout: after close nil
; expect-stdout: missing -1 -1
; expect-stdout: bare name 0
; expect-stdout: not callable -1
.main
    .const $main function "Main" locals=2
        .const $note function "Note" params=2
            get_global "Seen"
            get_local_0
            get_property "event"
            load_const ":"
            concat
            get_local_0
            get_property "name"
            concat
            push_true
            set_index
            get_local_1
            set_global "Id"
            return_nil
        .end
        .const $wait function "WaitFor" params=1 locals=2
            push_i8 0
            set_local_1
        again:
            get_global "Seen"
            get_local_0
            get_index
            jump_if_true found
            cmp_jump_lc 1 lt 100 found
            push_i8 20
            call_builtin_1 Fiber.Sleep
            pop
            inc_local 1
            loop again
        found:
            return_nil
        .end
        .const $show function "Show" params=1
            get_local_0
            load_const " "
            get_global "Seen"
            get_local_0
            get_index
            call_builtin_3 Console.WriteLine
            return
        .end
        load_const "w"
        make_function $note
        call_builtin_2 FileWatch.Open
        set_local_0
        load_const "id "
        get_local_0
        call_builtin_2 Console.WriteLine
        pop
        ; first the new directory, so that its own watch exists before it fills
        load_const "w/a.txt"
        load_const "x"
        call_builtin_2 File.WriteText
        pop
        load_const "w/sub"
        call_builtin_1 Directory.Create
        pop
        load_const "create:sub"
        make_function $wait
        call 1
        pop
        load_const "w/sub/b.txt"
        load_const "y"
        call_builtin_2 File.WriteText
        pop
        load_const "w/sub/b.txt"
        load_const "w/sub/c.txt"
        call_builtin_2 File.Move
        pop
        load_const "w/a.txt"
        call_builtin_1 File.Delete
        pop
        load_const "delete:a.txt"
        make_function $wait
        call 1
        pop
        load_const "create:a.txt"
        make_function $show
        call 1
        pop
        load_const "create:sub"
        make_function $show
        call 1
        pop
        load_const "create:sub/b.txt"
        make_function $show
        call 1
        pop
        load_const "rename:sub/b.txt"
        make_function $show
        call 1
        pop
        load_const "rename:sub/c.txt"
        make_function $show
        call 1
        pop
        load_const "delete:a.txt"
        make_function $show
        call 1
        pop
        load_const "callback id "
        get_global "Id"
        call_builtin_2 Console.WriteLine
        pop
        load_const "close "
        get_local_0
        call_builtin_1 FileWatch.Close
        load_const " "
        get_local_0
        call_builtin_1 FileWatch.Close
        call_builtin_4 Console.Write
        pop
        load_const " "
        push_i8 64
        call_builtin_1 FileWatch.Close
        load_const " "
        push_minus_one
        call_builtin_1 FileWatch.Close
        call_builtin_4 Console.WriteLine
        pop
        ; nothing is delivered once the watch is closed
        load_const "w/late.txt"
        load_const "z"
        call_builtin_2 File.WriteText
        pop
        push_i8 50
        call_builtin_1 Fiber.Sleep
        pop
        load_const "after close "
        get_global "Seen"
        load_const "create:late.txt"
        get_index
        call_builtin_2 Console.WriteLine
        pop
        load_const "missing "
        load_const "nowhere/x.txt"
        make_function $note
        call_builtin_2 FileWatch.Open
        load_const " "
        load_const "nowhere/"
        load_const "all"
        make_function $note
        call_builtin_3 FileWatch.Open
        call_builtin_4 Console.WriteLine
        pop
        ; a bare file name is watched in the current directory; left open for the
        ; shutdown to release
        load_const "bare name "
        load_const "later.txt"
        load_const "all"
        make_function $note
        call_builtin_3 FileWatch.Open
        call_builtin_2 Console.WriteLine
        pop
        load_const "not callable "
        load_const "w"
        load_const "w"
        call_builtin_2 FileWatch.Open
        call_builtin_2 Console.WriteLine
        pop
        return_nil
    .end
    build_object 0
    define_global "Seen"
    push_nil
    define_global "Id"
    return_nil
.end
