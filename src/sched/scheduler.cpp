// sched/scheduler.cpp: the ready ring, detached spawns and the run loop. One pass
// delivers control events, polls I/O, fires due timers, then either runs the next
// fiber for one slice or, when nothing can run, waits for the nearest wake-up.
#include "sched/scheduler.h"

#include <algorithm>
#include <cmath>

#include "engine/exceptions.h"
#include "engine/interpreter.h"
#include "runtime/alloc.h"
#include "runtime/builtin.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/vm_options.h"
#include "sched/clock.h"
#include "sched/events.h"
#include "sched/host_call.h"
#include "sched/signals.h"
#include "sched/timers.h"

namespace tarvik {

namespace {

constexpr uint32_t kMaxSleepMs = 86400000;
constexpr uint32_t kIdlePollMs = 4;  // blocked fibers without wake times are polled this often

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
const SchedulerIo* g_io = nullptr;
const SchedulerWatch* g_watch = nullptr;

Value dequeue() {
    Value v = g_ready.slots[g_ready.head];
    g_ready.slots[g_ready.head] = kAbsent;
    g_ready.head = (g_ready.head + 1) & (g_ready.capacity - 1);
    g_ready.count -= 1;
    fiber_record(as_obj(v))->flags &= uint8_t(~FIBER_QUEUED);
    return v;
}

FiberRecord* queued_at(uint32_t i) { return fiber_record(as_obj(g_ready.slots[(g_ready.head + i) & (g_ready.capacity - 1)])); }

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

uint32_t (*g_idle_hook)(uint32_t ms) = nullptr;

namespace {

bool io_pending() { return g_io && g_io->pending() > 0; }
void io_poll(int timeout_ms) {
    if (g_io) g_io->poll(timeout_ms);
}

void add_idle(uint32_t ms) {
    uint64_t total = uint64_t(g_idle_ms) + ms;
    g_idle_ms = uint32_t(std::min<uint64_t>(total, 2147483647));
}

void idle_sleep(uint32_t ms) {
    ms = std::min(ms, kMaxSleepMs);
    if (g_idle_hook) ms = g_idle_hook(ms);
    int fds[64];
    int count = g_watch && g_watch->active() ? g_watch->wait_fds(fds, 64) : 0;
    signals_idle_wait(ms, fds, count);
    add_idle(ms);
}

// Milliseconds until `wake_ms`, truncated toward zero (clamped: a wake time can be
// as far off as the largest integer a script passes).
int64_t remaining_ms(double wake_ms, double now) {
    double left = wake_ms - now;
    return left >= 9.0e18 ? INT64_MAX : int64_t(left);
}

// Whether a queued fiber can run now; tracks the smallest remaining wake time.
bool can_run(const FiberRecord* e, double now, int64_t* nearest) {
    bool timed_out = false;
    if (e->wake_ms > 0) {
        int64_t left = remaining_ms(e->wake_ms, now);
        if (*nearest < 0 || left < *nearest) *nearest = left;
        timed_out = left < 1;
    }
    if (e->wait_mask) return (e->wait_mask & event_set_mask()) == e->wait_mask || (e->wake_ms > 0 && timed_out);
    if (e->wake_ms > 0) return timed_out;
    return !(e->status == STATUS_WAIT_FIBER && is_absent(e->result) && e->awaiting &&
             e->awaiting->status != STATUS_FINISHED);
}

// Every queued fiber is blocked: sleep until the nearest wake time, due timer or
// event poll.
void wait_blocked(int64_t fiber_wait) {
    double wait = double(std::max<int64_t>(fiber_wait, 0));
    double due = timers_earliest_due();
    if (timer_active_count() && std::isfinite(due) && due > 0) wait = std::min(due - clock_now_ms(), wait);
    if (!io_pending() && event_allocated_mask()) wait = std::min(wait, double(kIdlePollMs));
    if (!(wait >= 1)) wait = kIdlePollMs;
    if (io_pending()) io_poll(int(std::min(wait, double(kMaxSleepMs))));
    else idle_sleep(uint32_t(std::min(wait, double(kMaxSleepMs))));
}

// The queue is empty: wait for a timer, an event or I/O. False when there is
// nothing to wait for.
bool wait_idle() {
    if (timer_active_count()) {
        double due = timers_earliest_due();
        // A timer that never comes due (an infinite delay) still keeps the VM
        // alive; wait the longest step instead of spinning.
        double wait = std::isfinite(due) ? std::floor(due - clock_now_ms()) : double(kMaxSleepMs);
        if (wait > 0) {
            if (io_pending()) io_poll(int(std::min(wait, double(kMaxSleepMs))));
            else idle_sleep(uint32_t(std::min(wait, double(kMaxSleepMs))));
        }
        return true;
    }
    if (event_allocated_mask()) {
        if (io_pending()) io_poll(int(kIdlePollMs));
        else idle_sleep(kIdlePollMs);
        return true;
    }
    if (io_pending()) {
        io_poll(-1);
        return true;
    }
    return false;
}

bool work_left() { return g_ready.count || timer_active_count() || event_allocated_mask() || io_pending(); }

// Pushes a value the resumed fiber receives; a full stack raises code 12 in it.
void deliver(FiberRecord* f, Value v) {
    FiberRecord* saved = g_current_fiber;
    g_current_fiber = f;
    fiber_push(f, v);
    g_current_fiber = saved;
}

// Event wait of a dequeued fiber: delivers, times out, or keeps waiting (false).
bool settle_event_wait(Value v, FiberRecord* f) {
    uint64_t mask = f->wait_mask;
    if ((mask & event_set_mask()) == mask) {
        Value delivered = event_deliver(f);
        f->wait_mask = 0;
        f->flags &= uint8_t(~FIBER_WAIT_ALL);
        f->wake_ms = 0;
        deliver(f, delivered);
        return true;
    }
    if (f->wake_ms == 0 || f->wake_ms > clock_now_ms()) {
        scheduler_queue(v);
        return false;
    }
    f->wait_mask = 0;
    event_consume(mask, f);
    f->flags &= uint8_t(~FIBER_WAIT_ALL);
    f->wake_ms = 0;
    deliver(f, nil_value());
    return true;
}

// Status handling after a slice. The run loop's reference is released afterwards in
// every case: a re-queued fiber holds the queue's own, and a fiber waiting for I/O is
// held by its job (the pool takes its own reference).
void after_slice(Value v, FiberRecord* f) {
    switch (f->status) {
    case STATUS_YIELD:
        if (f->flags & FIBER_AWAITED) scheduler_queue(v);
        return;
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
        return;
    }
    case STATUS_WAIT_IO: return;
    default: scheduler_queue(v); return;
    }
}

// Runs the head of the queue for one slice, or re-queues it while it must wait.
void run_next() {
    Value v = dequeue();
    FiberRecord* f = fiber_record(as_obj(v));
    if (f->status == STATUS_WAIT_FIBER && is_absent(f->result)) {
        if (f->awaiting && f->awaiting->status != STATUS_FINISHED) {
            scheduler_queue(v);
            release(v);
            return;
        }
        f->result = nil_value();  // the awaited fiber ended without a value (cancelled)
        f->awaiting = nullptr;
    }
    if (f->status == STATUS_FINISHED) {
        release(v);
        return;
    }
    if (f->wait_mask && !settle_event_wait(v, f)) {
        release(v);
        return;
    }
    if (f->wake_ms > 0 && f->wake_ms > clock_now_ms()) {
        scheduler_queue(v);
        release(v);
        return;
    }
    if (!is_absent(f->result)) {
        Value r = f->result;
        f->result = kAbsent;
        deliver(f, r);
    }
    f->wake_ms = 0;
    f->status = STATUS_RUNNING;
    g_current_fiber = f;
    g_running = v;
    f->flags &= uint8_t(~FIBER_SWITCH);
    if (f->frame_count == 0 && !(f->flags & FIBER_UNHANDLED) && !fiber_start(f)) {
        if (f->flags & FIBER_UNHANDLED) report_unhandled(f);
        f->status = STATUS_FINISHED;
    }
    if (f->flags & FIBER_UNHANDLED) {
        // Only a value delivered onto a full stack raises before the slice.
        if (!dispatch_exception(f, 0)) report_unhandled(f);
    }
    if (f->frame_count > 0 && f->status != STATUS_FINISHED) run_interpreter(0);
    if (f->flags & FIBER_UNHANDLED) report_unhandled(f);
    after_slice(v, f);
    // Between slices no fiber is current, so callbacks that find the queue full
    // (timers, control events) are dropped with a warning rather than raising into
    // a fiber that is not running.
    g_current_fiber = nullptr;
    g_running = kAbsent;
    release(v);
}

// Copies the frame arguments for a function: padded with nil to its required
// count, cut at its parameter count.
int frame_arguments(const FunctionRecord* fn, int extra, const Value* args, int argc, Value* out) {
    int room = std::max(int(fn->param_count) - extra, 0);
    int n = std::min(argc, room);
    for (int i = 0; i < n; ++i) {
        retain(args[i]);
        out[i] = args[i];
    }
    for (; n + extra < fn->required_count; ++n) out[n] = nil_value();
    return n;
}

// Gives a new fiber its first frame for `function` (borrowed) with `receiver`
// (borrowed, may be absent) and the arguments. Raises into the new fiber.
bool give_first_frame(FiberRecord* f, Value function, Value receiver, const Value* args, int argc) {
    const FunctionRecord* fn = function_record(as_obj(function));
    Value frame_args[kMaxCallArguments];
    int extra = is_absent(receiver) ? 0 : 1;
    int n = frame_arguments(fn, extra, args, std::min(argc, int(kMaxCallArguments) - extra), frame_args);
    retain(function);
    retain(receiver);
    FiberRecord* saved = g_current_fiber;
    g_current_fiber = f;
    bool pushed = push_script_frame(f, function, receiver, frame_args, n, /*verbose_arity=*/true) == CALL_PUSHED_FRAME;
    g_current_fiber = saved;
    return pushed;
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
    host_call_shutdown();
    while (g_ready.count) release(dequeue());
    checked_free(g_ready.slots);
    g_ready = ReadyQueue{};
    g_main_fiber = nullptr;
    if (g_watch) g_watch->shutdown();
    g_watch = nullptr;
    timers_shutdown();
    events_shutdown();
}

void scheduler_set_io(const SchedulerIo* io) { g_io = io; }

uint32_t scheduler_cancel_io(FiberRecord* f) { return g_io ? g_io->cancel(f) : 0; }
uint32_t scheduler_discard_io(FiberRecord* f) { return g_io ? g_io->discard(f) : 0; }

void scheduler_set_watch(const SchedulerWatch* watch) { g_watch = watch; }

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

uint32_t scheduler_ready_count() { return g_ready.count; }

void scheduler_spawn_detached(Value callable, const Value* args, int argc) {
    Value function = callable;
    Value receiver = kAbsent;
    if (is_ref_of(callable, T_BOUND_METHOD)) {
        const Value* pair = reinterpret_cast<const Value*>(as_obj(callable)->b);
        if (!pair) return;
        receiver = pair[0];
        function = pair[1];
    }
    if (is_ref_of(function, T_BUILTIN)) {
        Value all[kMaxBuiltinArgs];
        int n = 0;
        if (!is_absent(receiver)) all[n++] = receiver;
        for (int i = 0; i < argc && n < kMaxBuiltinArgs; ++i) all[n++] = args[i];
        release(builtin_invoke(as_obj(function), all, n, !is_absent(receiver)));
        return;
    }
    if (!is_ref_of(function, T_FUNCTION)) return;
    const VmOptions& o = g_options;
    Value fiber = fiber_create(function, o.max_frames, o.stack_slots);
    if (!is_ref_of(fiber, T_FIBER)) return;
    FiberRecord* f = fiber_record(as_obj(fiber));
    f->flags |= FIBER_DETACHED;
    if (give_first_frame(f, function, receiver, args, argc)) scheduler_queue(fiber);
    release(fiber);
}

void scheduler_spawn_callback(Value function, Value first, Value second) {
    // Without a function only the second argument is ours to drop.
    if (is_ref_of(function, T_FUNCTION)) {
        Value args[2] = {first, second};
        scheduler_spawn_detached(function, args, 2);
        release(first);
    }
    release(second);
}

Value scheduler_find_fiber(uint32_t id) {
    if (g_current_fiber && g_current_fiber->id == id) {
        Value v = make_ref(g_current_fiber->object);
        retain(v);
        return v;
    }
    for (FiberRecord* f = fiber_live_first(); f; f = f->live_next) {
        if (f->id != id) continue;
        if (f->status == STATUS_FINISHED) break;
        Value v = make_ref(f->object);
        retain(v);
        return v;
    }
    return nil_value();
}

bool fiber_start(FiberRecord* f) {
    if (!is_ref_of(f->function, T_FUNCTION)) return false;
    return give_first_frame(f, f->function, kAbsent, nullptr, 0);
}

void scheduler_run_to_end(Value fiber) {
    FiberRecord* f = fiber_record(as_obj(fiber));
    g_current_fiber = f;
    f->status = STATUS_RUNNING;
    while (f->frame_count > 0) {
        f->flags &= uint8_t(~FIBER_SWITCH);
        run_interpreter(0);
        if (f->flags & FIBER_UNHANDLED) report_unhandled(f);
        signals_deliver();  // a control event without a handler ends even a long top level
        if (f->status == STATUS_FINISHED || f->status == STATUS_WAIT_IO || f->status == STATUS_YIELD) break;
        // No other fiber runs before the top-level code has ended, so a wait there
        // (sleep, await, resume, event) ends at once: with the pending result, or nil.
        bool waiting = f->status == STATUS_WAIT_FIBER || f->wait_mask;
        Value r = f->result;
        f->result = kAbsent;
        if (is_absent(r) && waiting) r = nil_value();
        f->wait_mask = 0;
        f->flags &= uint8_t(~FIBER_WAIT_ALL);
        f->wake_ms = 0;
        f->awaiting = nullptr;
        f->status = STATUS_RUNNING;
        if (!is_absent(r)) fiber_push(f, r);
    }
    pop_all(f);
    g_current_fiber = nullptr;
}

void scheduler_run(Value main_fiber) {
    g_main_fiber = fiber_record(as_obj(main_fiber));
    g_exit_code = 0;
    scheduler_queue(main_fiber);
    for (;;) {
        signals_deliver();
        if (g_watch && g_watch->active()) g_watch->poll();
        io_poll(0);
        if (timer_active_count()) timers_fire();
        if (g_ready.count) {
            double now = clock_now_ms();
            int64_t nearest = -1;
            bool runnable = false;
            for (uint32_t i = 0; i < g_ready.count && !runnable; ++i) runnable = can_run(queued_at(i), now, &nearest);
            if (!runnable) {
                wait_blocked(nearest < 0 ? 0 : nearest);
                continue;
            }
            run_next();
            if (work_left()) continue;
        } else if (wait_idle()) {
            continue;
        }
        if (!work_left()) break;
    }
    print_verbose("No more work to do. Exit VM.\n");
}

int32_t scheduler_exit_code() { return g_exit_code; }
uint32_t scheduler_idle_ms() { return g_idle_ms; }
void scheduler_add_idle_ms(uint32_t ms) { add_idle(ms); }

}  // namespace tarvik
