// sched/scheduler.cpp: the ready ring and the run loop (fibers only; timers, events
// and I/O join the loop as they arrive).
#include "sched/scheduler.h"

#include <cmath>

#include "engine/exceptions.h"
#include "engine/interpreter.h"
#include "runtime/alloc.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/function.h"

namespace tarvik {

namespace {

struct ReadyQueue {
    Value* slots = nullptr;
    uint32_t capacity = 0;
    uint32_t head = 0;
    uint32_t count = 0;
};

ReadyQueue g_ready;
Value g_running = kAbsent;  // the dequeued reference of the fiber on the interpreter
FiberRecord* g_main_fiber = nullptr;
int32_t g_exit_code = 0;
uint32_t g_idle_ms = 0;

Value dequeue() {
    Value v = g_ready.slots[g_ready.head];
    g_ready.slots[g_ready.head] = kAbsent;
    g_ready.head = (g_ready.head + 1) & (g_ready.capacity - 1);
    g_ready.count -= 1;
    fiber_record(as_obj(v))->flags &= uint8_t(~FIBER_QUEUED);
    return v;
}

// Exit status from the main function's result.
int32_t exit_code_of(Value v) {
    if (is_imm_int(v) || is_ref_of(v, T_INT)) return int32_t(uint32_t(uint64_t(value_to_int(v))));
    if (is_float(v)) {
        double d = float_of(as_obj(v));
        if (std::isnan(d) || d >= 2147483648.0 || d < -2147483649.0) return int32_t(int64_t(value_to_int(v)));
        return int32_t(d);
    }
    if (is_imm_bool(v) || is_ref_of(v, T_BOOL)) return value_to_int(v) ? 1 : 0;
    if (is_imm_char(v) || is_ref_of(v, T_CHAR)) return int32_t(value_to_int(v));
    return 0;
}

void schedule_hook(Value fiber) { scheduler_queue(fiber); }

void pop_all(FiberRecord* f) {
    while (f->stack_top > 0) release(f->stack[--f->stack_top]);
}

}  // namespace

void scheduler_init(uint32_t capacity) {
    g_ready.slots = static_cast<Value*>(checked_calloc(capacity, sizeof(Value)));
    g_ready.capacity = g_ready.slots ? capacity : 0;
    fiber_set_scheduler(schedule_hook);
}

void scheduler_shutdown() {
    // An exit from inside a slice (an unhandled error) leaves the running fiber here.
    release(g_running);
    g_running = kAbsent;
    while (g_ready.count) release(dequeue());
    checked_free(g_ready.slots);
    g_ready = ReadyQueue{};
    g_main_fiber = nullptr;
}

void scheduler_queue(Value fiber) {
    if (!is_ref_of(fiber, T_FIBER)) return;
    FiberRecord* f = fiber_record(as_obj(fiber));
    if (g_ready.count >= g_ready.capacity) {
        if (!g_current_fiber) {
            print_warning("Ready queue full (%d fibers); dropped a detached callback\n", int(g_ready.capacity));
        } else {
            raise_error(ERR_OUT_OF_FIBERS);
        }
        return;
    }
    if ((f->flags & FIBER_QUEUED) || (f->status == STATUS_WAIT_IO && is_absent(f->result))) return;
    retain(fiber);
    f->flags |= FIBER_QUEUED;
    g_ready.slots[(g_ready.head + g_ready.count) & (g_ready.capacity - 1)] = fiber;
    g_ready.count += 1;
}

bool fiber_start(FiberRecord* f) {
    Value fn = f->function;
    if (!is_ref_of(fn, T_FUNCTION)) return false;
    retain(fn);
    const FunctionRecord* record = function_record(as_obj(fn));
    Value args[kMaxCallArguments];
    int argc = record->required_count;  // parameters the fiber was not given start as nil
    for (int i = 0; i < argc; ++i) args[i] = nil_value();
    return push_script_frame(f, fn, kAbsent, args, argc, /*verbose_arity=*/true) == CALL_PUSHED_FRAME;
}

void scheduler_run_to_end(Value fiber) {
    FiberRecord* f = fiber_record(as_obj(fiber));
    g_current_fiber = f;
    f->status = STATUS_RUNNING;
    while (f->frame_count > 0) {
        f->flags &= uint8_t(~FIBER_SWITCH);
        run_interpreter(0);
        if (f->flags & FIBER_UNHANDLED) report_unhandled(f);
        if (f->status == STATUS_FINISHED || f->status == STATUS_WAIT_IO || f->status == STATUS_YIELD) break;
    }
    pop_all(f);
    g_current_fiber = nullptr;
}

void scheduler_run(Value main_fiber) {
    g_main_fiber = fiber_record(as_obj(main_fiber));
    g_exit_code = 0;
    scheduler_queue(main_fiber);
    while (g_ready.count) {
        Value v = dequeue();
        FiberRecord* f = fiber_record(as_obj(v));
        if (f->status == STATUS_FINISHED) {
            release(v);
            continue;
        }
        if (f->status == STATUS_WAIT_FIBER && is_absent(f->result)) {
            FiberRecord* target = f->awaiting;
            if (target && target->status != STATUS_FINISHED) {
                scheduler_queue(v);
                release(v);
                continue;
            }
            f->result = nil_value();
            f->awaiting = nullptr;
        }
        if (!is_absent(f->result)) {
            Value r = f->result;
            f->result = kAbsent;
            if (f->stack_top < f->stack_cap) f->stack[f->stack_top++] = r;
            else release(r);
        }
        f->wake_ms = 0;
        f->status = STATUS_RUNNING;
        g_current_fiber = f;
        g_running = v;
        f->flags &= uint8_t(~FIBER_SWITCH);
        if (f->frame_count == 0 && !fiber_start(f)) {
            if (f->flags & FIBER_UNHANDLED) report_unhandled(f);
            f->status = STATUS_FINISHED;
        }
        if (f->frame_count > 0) run_interpreter(0);
        if (f->flags & FIBER_UNHANDLED) report_unhandled(f);
        switch (f->status) {
        case STATUS_YIELD:
            if (f->flags & FIBER_AWAITED) scheduler_queue(v);
            break;
        case STATUS_FINISHED: {
            Value result = f->stack_top > 0 ? f->stack[--f->stack_top] : kAbsent;
            if (f == g_main_fiber) {
                g_exit_code = exit_code_of(result);
                release(result);
            } else if (!(f->flags & FIBER_DETACHED) && !is_absent(result)) {
                release(f->result);
                f->result = result;
            } else {
                release(result);
            }
            pop_all(f);
            if (f->flags & FIBER_DETACHED) g_current_fiber = nullptr;
            break;
        }
        case STATUS_WAIT_IO: break;
        default: scheduler_queue(v); break;
        }
        g_current_fiber = nullptr;
        g_running = kAbsent;
        if (f->status != STATUS_WAIT_IO) release(v);
    }
    print_verbose("No more work to do. Exit VM.\n");
}

int32_t scheduler_exit_code() { return g_exit_code; }
uint32_t scheduler_idle_ms() { return g_idle_ms; }

}  // namespace tarvik
