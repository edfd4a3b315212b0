; A fiber holds at most 64 messages: the 65th SendMessage answers false. Messages
; come out oldest first. A message wakes a sleeping fiber at once (the sleeper
; would otherwise sleep for a minute) but does not interrupt a fiber inside
; Event.WaitOne, which still receives the event value.
; expect-stdout: sent 64, 65th: false, count 64
; expect-stdout: reader: 0 1 2, 61 left
; expect-stdout: sleeper woke with hello
; expect-stdout: waiter got set-value, 1 message
; expect-stdout: finished fiber: false 0 nil
.main
    .const $main function "Main" locals=3
        .const $reader function "Reader"
            load_const "reader:"
            call_builtin_1 Console.Write
            pop
            push_i8 0
            set_local_0
        top:
            cmp_jump_lc 0 lt 3 done
            load_const " "
            get_global "Me"
            call_builtin_1 Fiber.GetMessage
            call_builtin_2 Console.Write
            pop
            inc_local 0
            loop top
        done:
            load_const ", "
            get_global "Me"
            call_builtin_1 Fiber.MessageCount
            load_const " left"
            call_builtin_3 Console.WriteLine
            return_nil
        .end
        .const $sleeper function "Sleeper"
            push_i32 60000
            call_builtin_1 Fiber.Sleep
            pop
            load_const "sleeper woke with "
            get_global "Me"
            call_builtin_1 Fiber.GetMessage
            call_builtin_2 Console.WriteLine
            return_nil
        .end
        .const $waiter function "Waiter"
            get_global "E"
            call_builtin_1 Event.WaitOne
            load_const "waiter got "
            call_builtin_1 Console.Write
            pop
            call_builtin_1 Console.Write
            pop
            load_const ", "
            get_global "Me"
            call_builtin_1 Fiber.MessageCount
            load_const " message"
            call_builtin_3 Console.WriteLine
            return_nil
        .end
        ; 65 messages to a new fiber; the first one queues it
        make_function $reader
        call_builtin_1 Fiber.New
        dup
        set_global "Me"
        set_local_0
        push_i8 0
        set_local_1
    fill:
        cmp_jump_lc 1 lt 64 filled
        get_local_0
        get_local_1
        call_builtin_2 Fiber.SendMessage
        pop
        inc_local 1
        loop fill
    filled:
        load_const "sent 64, 65th: "
        get_local_0
        load_const "extra"
        call_builtin_2 Fiber.SendMessage
        load_const ", count "
        get_local_0
        call_builtin_1 Fiber.MessageCount
        call_builtin_4 Console.WriteLine
        pop
        get_local_0
        await
        pop
        ; a sleeper wakes early
        make_function $sleeper
        call_builtin_1 Fiber.New
        dup
        set_global "Me"
        set_local_0
        get_local_0
        call_builtin_1 Scheduler.Schedule
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        get_local_0
        load_const "hello"
        call_builtin_2 Fiber.SendMessage
        pop
        get_local_0
        await
        pop
        ; an event waiter is not interrupted
        call_builtin_0 Event.Create
        set_global "E"
        make_function $waiter
        call_builtin_1 Fiber.New
        dup
        set_global "Me"
        set_local_0
        get_local_0
        call_builtin_1 Scheduler.Schedule
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        get_local_0
        load_const "ping"
        call_builtin_2 Fiber.SendMessage
        pop
        push_i8 0
        call_builtin_1 Fiber.Sleep
        pop
        get_global "E"
        load_const "set-value"
        call_builtin_2 Event.Set
        pop
        get_local_0
        await
        pop
        load_const "finished fiber: "
        call_builtin_1 Console.Write
        pop
        get_local_0
        load_const "late"
        call_builtin_2 Fiber.SendMessage
        load_const " "
        get_local_0
        call_builtin_1 Fiber.MessageCount
        load_const " "
        get_local_0
        call_builtin_1 Fiber.GetMessage
        call_builtin_5 Console.WriteLine
        pop
        return_nil
    .end
    push_nil
    define_global "Me"
    push_nil
    define_global "E"
    return_nil
.end
