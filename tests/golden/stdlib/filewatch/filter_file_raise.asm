; Watch 0, filter "delete", reports deletions but no content changes; watch 1, on
; one file named in other letter case, reports only that file; the callback of
; watch 2 raises on its first event: reported once on standard error, and the watch
; keeps delivering afterwards.
; setup-file: d/keep.txt K
; setup-file: d/other.txt O
; expect-stdout: ids 0 1 2
; expect-stdout: 0 2 delete:other.txt true
; expect-stdout: 0 2 delete:keep.txt true
; expect-stdout: 1 2 modify:keep.txt true
; expect-stdout: 1 2 delete:keep.txt true
; expect-stdout: 2 1 delete:keep.txt true
; expect-stderr: Warning: [boundary] 'file_watch' callback raised (swallowed)
.main
    ; records "event:name" in the set of its watch
    .const $note function "Note" params=2
        get_global "Sets"
        get_local_1
        get_index
        get_local_0
        get_property "event"
        load_const ":"
        concat
        get_local_0
        get_property "name"
        concat
        push_true
        set_index
        return_nil
    .end
    .const $main function "Main" locals=3
        ; "watch count key seen": the watch's number of distinct events, and one of them
        .const $report function "Report" params=2
            get_local_0
            load_const " "
            get_global "Sets"
            get_local_0
            get_index
            call_builtin_1 Object.Count
            call_builtin_3 Console.Write
            pop
            load_const " "
            get_local_1
            load_const " "
            get_global "Sets"
            get_local_0
            get_index
            get_local_1
            get_index
            call_builtin_4 Console.WriteLine
            return
        .end
        ; raises on its first event (delete:other.txt), records the later ones
        .const $note_raise function "NoteRaise" params=2
            get_global "Raised"
            jump_if_true record
            push_true
            set_global "Raised"
            push_one
            push_i8 0
            div
            pop
        record:
            get_local_0
            get_local_1
            get_global "Note"
            call 2
            return
        .end
        .const $arrived function "Arrived"
            get_global "Sets"
        push_i8 0
        get_index
            load_const "delete:keep.txt"
            get_index
            jump_if_false no
            get_global "Sets"
        push_i8 1
        get_index
            load_const "delete:keep.txt"
            get_index
            jump_if_false no
            get_global "Sets"
        push_i8 2
        get_index
            load_const "delete:keep.txt"
            get_index
            jump_if_false no
            push_true
            return
        no:
            push_false
            return
        .end
        load_const "d"
        load_const "delete"
        get_global "Note"
        call_builtin_3 FileWatch.Open
        set_local_0
        load_const "d/KEEP.TXT"
        get_global "Note"
        call_builtin_2 FileWatch.Open
        set_local_1
        load_const "d"
        load_const "delete"
        make_function $note_raise
        call_builtin_3 FileWatch.Open
        set_local_2
        load_const "ids "
        get_local_0
        load_const " "
        get_local_1
        call_builtin_4 Console.Write
        pop
        load_const " "
        get_local_2
        call_builtin_2 Console.WriteLine
        pop
        load_const "d/keep.txt"
        load_const "more"
        call_builtin_2 File.AppendText
        pop
        load_const "d/other.txt"
        load_const "more"
        call_builtin_2 File.AppendText
        pop
        load_const "d/other.txt"
        call_builtin_1 File.Delete
        pop
        load_const "d/keep.txt"
        call_builtin_1 File.Delete
        pop
        push_i8 0
        set_local_0
    again:
        make_function $arrived
        call 0
        jump_if_true done
        cmp_jump_lc 0 lt 100 done
        push_i8 20
        call_builtin_1 Fiber.Sleep
        pop
        inc_local 0
        loop again
    done:
        push_i8 0
        load_const "delete:other.txt"
        make_function $report
        call 2
        pop
        push_i8 0
        load_const "delete:keep.txt"
        make_function $report
        call 2
        pop
        push_i8 1
        load_const "modify:keep.txt"
        make_function $report
        call 2
        pop
        push_i8 1
        load_const "delete:keep.txt"
        make_function $report
        call 2
        pop
        push_i8 2
        load_const "delete:keep.txt"
        make_function $report
        call 2
        pop
        return_nil
    .end
    build_object 0
    build_object 0
    build_object 0
    build_array 3 0
    define_global "Sets"
    load_const $note
    define_global "Note"
    push_false
    define_global "Raised"
    return_nil
.end
