; copy: src.bin to dst.bin through two file streams, 64 KiB per ReadBytes and
; WriteBytes; prints the bytes copied.
.main
    .const $main function "Main" locals=5
        load_const "src.bin"
        load_const "r"
        call_builtin_2 Stream.Open
        set_local_0
        load_const "dst.bin"
        load_const "w"
        call_builtin_2 Stream.Open
        set_local_1
        push_i8 0
        set_local_3            ; total
    next:
        get_local_0
        push_i32 65536
        call_builtin_2 Stream.ReadBytes
        set_local_2
        get_local_2
        len
        set_local 4
        cmp_jump_lc 4 gt 0 done
        get_local_1
        get_local_2
        get_local 4
        call_builtin_3 Stream.WriteBytes
        pop
        arith_local_local 3 add 4
        loop next
    done:
        get_local_0
        call_builtin_1 Stream.Close
        pop
        get_local_1
        call_builtin_1 Stream.Close
        pop
        load_const "copied "
        get_local_3
        call_builtin_2 Console.WriteLine
        return_nil
    .end
    return_nil
.end
