; Math through the real binary: ints stay ints until they overflow into floats,
; statistics over an array, a matrix product, a singular inverse (nil), MatApply
; with a script callback, and two errors caught as code 3: a dimension mismatch and
; a callback that replaces a row of the matrix being mapped.
; expect-stdout: 5 int 9.22337203685478e+18 float
; expect-stdout: 2432902008176640000 int 5.10909421717094e+19 float
; expect-stdout: 14 2.8 3 1
; expect-stdout: [[19, 22], [43, 50]]
; expect-stdout: nil
; expect-stdout: [[2, 4], [6, 8]]
; expect-stdout: 3 MatMul: a 1x3 matrix times a 1x3 matrix (3 columns, 1 rows)
; expect-stdout: 3 matrix or vector changed size while being read
; expect-stdout: 0.864664716763387
.main
    .const $show function "Show" params=2
        ; Writes the value, its type name and the separator.
        get_local_0
        push_char ' '
        get_local_0
        call_builtin_1 Type.Name
        get_local_1
        call_builtin_4 Console.Write
        return
    .end
    .const $double function "Double" params=1
        get_local_0
        push_i8 2
        mul
        return
    .end
    .const $attempt function "Attempt" params=1 locals=2
        ; Calls the function and prints the code and text of what it raises.
        try_begin catch 1 finally
        get_local_0
        call 0
        pop
        try_end
    catch:
        catch_store
        get_local_1
        get_property "Code"
        push_char ' '
        get_local_1
        get_property "Error"
        call_builtin_3 Console.WriteLine
        pop
        goto_finally
    finally:
        finally_begin
        end_finally
        return_nil
    .end
    .const $mismatch function "Mismatch"
        push_i8 1
        push_i8 2
        push_i8 3
        build_array 3 0
        build_array 1 0
        dup
        call_builtin_2 Math.MatMul
        return
    .end
    .const $spoil function "Spoil" params=1
        ; Replaces row 1 of the matrix being mapped, freeing the old row.
        get_global "M"
        push_i8 1
        load_const "x"
        set_index
        get_local_0
        return
    .end
    .const $spoiled function "Spoiled"
        get_global "M"
        get_global "Spoil"
        call_builtin_2 Math.MatApply
        return
    .end
    .const $main function "Main" locals=2
        .const $min int -9223372036854775808
        push_i8 -5
        call_builtin_1 Math.Abs
        push_char ' '
        call_global "Show" 2
        pop
        load_const $min
        call_builtin_1 Math.Abs
        push_char '\n'
        call_global "Show" 2
        pop
        push_i8 20
        call_builtin_1 Math.Factorial
        push_char ' '
        call_global "Show" 2
        pop
        push_i8 21
        call_builtin_1 Math.Factorial
        push_char '\n'
        call_global "Show" 2
        pop
        ; Sum, Mean, Median and Mode of [3, 1, 4, 1, 5]
        push_i8 3
        push_i8 1
        push_i8 4
        push_i8 1
        push_i8 5
        build_array 5 0
        set_local_0
        get_local_0
        call_builtin_1 Math.Sum
        push_char ' '
        get_local_0
        call_builtin_1 Math.Mean
        push_char ' '
        get_local_0
        call_builtin_1 Math.Median
        call_builtin_5 Console.Write
        pop
        push_char ' '
        get_local_0
        call_builtin_1 Math.Mode
        call_builtin_2 Console.WriteLine
        pop
        ; [[1, 2], [3, 4]] times [[5, 6], [7, 8]]
        push_i8 1
        push_i8 2
        build_array 2 0
        push_i8 3
        push_i8 4
        build_array 2 0
        build_array 2 0
        set_local_1
        get_local_1
        push_i8 5
        push_i8 6
        build_array 2 0
        push_i8 7
        push_i8 8
        build_array 2 0
        build_array 2 0
        call_builtin_2 Math.MatMul
        call_builtin_1 Console.WriteLine
        pop
        push_i8 1
        push_i8 2
        build_array 2 0
        push_i8 2
        push_i8 4
        build_array 2 0
        build_array 2 0
        call_builtin_1 Math.MatInverse
        call_builtin_1 Console.WriteLine
        pop
        get_local_1
        get_global "Double"
        call_builtin_2 Math.MatApply
        call_builtin_1 Console.WriteLine
        pop
        get_global "Mismatch"
        call_global "Attempt" 1
        pop
        get_local_1
        set_global "M"
        get_global "Spoiled"
        call_global "Attempt" 1
        pop
        push_i8 1
        push_i8 2
        call_builtin_2 Math.GammaP
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
    .end
    make_function $show
    define_global "Show"
    make_function $double
    define_global "Double"
    make_function $attempt
    define_global "Attempt"
    make_function $mismatch
    define_global "Mismatch"
    make_function $spoil
    define_global "Spoil"
    make_function $spoiled
    define_global "Spoiled"
    push_nil
    define_global "M"
    return_nil
.end
