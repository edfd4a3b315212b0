; An embedded package with Main runs to the end (its result is the status); the arguments
; go to the script.
; embed: yes
; args: --stack=1 x
; expect-exit: 7
.main
    .const $main function "Main"
        push_i8 7
        return
    .end
    return_nil
.end
