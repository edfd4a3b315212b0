; The native methods of the Exception class are builtin values outside the module
; registry, so they render as "<unknown builtin>" (seen in the class's rendering,
; which lists the member values in order).
; expect-stdout: Class: Exception, {<unknown builtin>, <unknown builtin>, <unknown builtin>, <unknown builtin>, 0, nil, nil, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}
.main
    .const $main function "Main"
        get_global "Exception"
        call_builtin_1 Console.WriteLine
        pop
        return_nil
    .end
    return_nil
.end
