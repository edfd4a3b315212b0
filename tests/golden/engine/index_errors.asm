; Indexing failures raise their codes and texts: bounds after counting from the end,
; the write limit of 10,000,000 items, writes into non-containers and with wrong
; keys, the fused array forms' type requirements, frozen containers, and the block
; instructions on a value that is not a block.
; expect-stdout: ll -4: caught 4: Index -1 out of bounds (length 3)
; expect-stdout: li 3: caught 4: Index 3 out of bounds (length 3)
; expect-stdout: string -6: caught 4: Index -1 out of bounds (length 5)
; expect-stdout: write 10000000: caught 4: Index 10000000 out of bounds (length 10000000)
; expect-stdout: write -4: caught 4: Index -1 out of bounds (length 10000000)
; expect-stdout: write string key: caught 0: Cannot assign by index into value (got array)
; expect-stdout: write into int: caught 0: Cannot assign by index into value (got int)
; expect-stdout: write int key into object: caught 0: Cannot assign by index into value (got object)
; expect-stdout: arith on object: caught 3: Indexed arithmetic requires an array and integer index (got object)
; expect-stdout: arith with string index: caught 3: Indexed arithmetic requires an array and integer index (got string)
; expect-stdout: load lli string: caught 3: Cannot index non-array value (got string)
; expect-stdout: load lll float index: caught 3: Indexed read requires an array and integer index (got float)
; expect-stdout: write frozen: caught 19: Invalid assignment of const-object
; expect-stdout: block get on int: caught 6: Runtime-error
; expect-stdout: block set on array: caught 6: Runtime-error
.main
    .const $main function "Main"
        ; Probe(label, fn): calls fn inside a try statement and prints its result or
        ; the caught code and text
        .const $probe function "Probe" params=2
            get_local_0
            call_builtin_1 Console.Write
            pop
            try_begin caught 2 done
            get_local_1
            call 0
            load_const ": returned "
            call_builtin_1 Console.Write
            pop
            call_builtin_1 Console.WriteLine
            pop
            try_end
        caught:
            catch_store
            load_const ": caught "
            get_local_2
            get_property "Code"
            load_const ": "
            get_local_2
            get_property "Error"
            call_builtin_4 Console.WriteLine
            pop
            goto_finally
        done:
            finally_begin
            end_finally
            return_nil
        .end
        ; every case starts with slot 0 = [10, 20, 30]
        .const $below function "Below"
            push_i8 10
            push_i8 20
            push_i8 30
            build_array 3 0
            set_local_0
            push_i8 -4
            set_local_1
            get_index_ll 0 1
            return
        .end
        .const $above function "Above"
            push_i8 10
            push_i8 20
            push_i8 30
            build_array 3 0
            set_local_0
            get_index_li 0 3
            return
        .end
        .const $string_below function "StringBelow"
            load_const "hello"
            set_local_0
            push_i8 -6
            get_index_l_top 0
            return
        .end
        .const $write_far function "WriteFar"
            build_array 0 0
            set_local_0
            push_i32 10000000
            push_one
            set_index_l 0
            return_nil
        .end
        .const $write_negative function "WriteNegative"
            push_i8 10
            push_i8 20
            push_i8 30
            build_array 3 0
            set_local_0
            push_i8 -4
            push_one
            set_index_l 0
            return_nil
        .end
        .const $write_string_key function "WriteStringKey"
            build_array 0 0
            load_const "k"
            push_one
            set_index
            return_nil
        .end
        .const $write_int function "WriteInt"
            push_i8 5
            set_local_0
            push_one
            set_index_li 0 0
            return_nil
        .end
        .const $write_object_int function "WriteObjectInt"
            build_object 0
            set_local_0
            push_one
            set_index_li 0 0
            return_nil
        .end
        .const $arith_object function "ArithObject"
            build_object 0
            set_local_0
            push_i8 0
            set_local_1
            arith_index_lli 0 1 add 1
            return_nil
        .end
        .const $arith_string_index function "ArithStringIndex"
            build_array 0 0
            set_local_0
            load_const "0"
            set_local_1
            arith_index_lll 0 1 add 0
            return_nil
        .end
        .const $load_string function "LoadString"
            load_const "abc"
            set_local_0
            load_index_lli 1 0 0
            return_local 1
        .end
        .const $load_float_index function "LoadFloatIndex"
            push_one
            build_array 1 0
            set_local_0
            push_f32 0.0
            set_local_1
            load_index_lll 2 0 1
            return_local 2
        .end
        .const $write_frozen function "WriteFrozen"
            push_one
            build_array 1 0
            make_const
            set_local_0
            push_i8 2
            set_index_li 0 0
            return_nil
        .end
        .const $block_get function "BlockGet"
            push_i8 5
            set_local_0
            block_get_li 0 0
            return
        .end
        .const $block_set function "BlockSet"
            build_array 0 0
            set_local_0
            push_one
            set_local_1
            block_set_lil 0 0 1
            return_nil
        .end
        make_function $probe
        set_local_0
        load_const "ll -4"
        make_function $below
        get_local_0
        call 2
        pop
        load_const "li 3"
        make_function $above
        get_local_0
        call 2
        pop
        load_const "string -6"
        make_function $string_below
        get_local_0
        call 2
        pop
        load_const "write 10000000"
        make_function $write_far
        get_local_0
        call 2
        pop
        load_const "write -4"
        make_function $write_negative
        get_local_0
        call 2
        pop
        load_const "write string key"
        make_function $write_string_key
        get_local_0
        call 2
        pop
        load_const "write into int"
        make_function $write_int
        get_local_0
        call 2
        pop
        load_const "write int key into object"
        make_function $write_object_int
        get_local_0
        call 2
        pop
        load_const "arith on object"
        make_function $arith_object
        get_local_0
        call 2
        pop
        load_const "arith with string index"
        make_function $arith_string_index
        get_local_0
        call 2
        pop
        load_const "load lli string"
        make_function $load_string
        get_local_0
        call 2
        pop
        load_const "load lll float index"
        make_function $load_float_index
        get_local_0
        call 2
        pop
        load_const "write frozen"
        make_function $write_frozen
        get_local_0
        call 2
        pop
        load_const "block get on int"
        make_function $block_get
        get_local_0
        call 2
        pop
        load_const "block set on array"
        make_function $block_set
        get_local_0
        call 2
        pop
        return_nil
    .end
    return_nil
.end
