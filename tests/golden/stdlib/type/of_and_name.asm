; Type.Of gives the normalised type mask and Type.Name the type's name, for
; immediates, heap ints, containers (a flat float array is still an array),
; functions, builtins, classes, instances, bound methods and nil.
; expect-stdout: 1 nil
; expect-stdout: 128 bool
; expect-stdout: 8 int
; expect-stdout: 8 int
; expect-stdout: 4 float
; expect-stdout: 2 char
; expect-stdout: 16 string
; expect-stdout: 64 array
; expect-stdout: 64 array
; expect-stdout: 32 object
; expect-stdout: 65536 function
; expect-stdout: 131072 builtin
; expect-stdout: 16777216 class
; expect-stdout: 33554432 instance
; expect-stdout: 1048576 bound-method
.main
    .const $show function "Show" params=1
        get_local_0
        call_builtin_1 Type.Of
        push_char ' '
        get_local_0
        call_builtin_1 Type.Name
        call_builtin_3 Console.WriteLine
        return
    .end
    .const $main function "Main"
        .const $heap_int int 0x1000000000000000
        .const $float float 2.5
        .const $flat array flat
            1.0
        .end
        push_nil
        call_global "Show" 1
        pop
        push_true
        call_global "Show" 1
        pop
        push_i8 -3
        call_global "Show" 1
        pop
        load_const $heap_int
        call_global "Show" 1
        pop
        load_const $float
        call_global "Show" 1
        pop
        push_char 'x'
        call_global "Show" 1
        pop
        load_const "text"
        call_global "Show" 1
        pop
        build_array 0 0
        call_global "Show" 1
        pop
        load_const $flat
        call_global "Show" 1
        pop
        build_object 0
        call_global "Show" 1
        pop
        get_global "Show"
        call_global "Show" 1
        pop
        get_builtin Type.Of
        call_global "Show" 1
        pop
        get_global "Exception"
        call_global "Show" 1
        pop
        get_global "Exception"
        new 0
        call_global "Show" 1
        pop
        get_global "Exception"
        new 0
        get_property "ToString"
        call_global "Show" 1
        pop
        return_nil
    .end
    make_function $show
    define_global "Show"
    return_nil
.end
