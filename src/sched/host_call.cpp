// sched/host_call.cpp: a throw-away fiber for a callback made outside any slice.
#include "sched/host_call.h"

#include "engine/fiber.h"
#include "engine/interpreter.h"
#include "runtime/function.h"
#include "runtime/vm_options.h"

namespace tarvik {

namespace {
Value g_host = kAbsent;  // the fiber of the call in progress
}  // namespace

void host_call_boundary(Value callable, Value* args, int argc, const char* label) {
    Value function = make_function();
    Value host = is_ref_of(function, T_FUNCTION) ? fiber_create(function, g_options.max_frames, g_options.stack_slots)
                                                 : kAbsent;
    release(function);
    if (!is_ref_of(host, T_FIBER)) return;
    FiberRecord* f = fiber_record(as_obj(host));
    f->status = STATUS_RUNNING;
    f->flags |= FIBER_DETACHED;
    FiberRecord* saved = g_current_fiber;
    Value saved_host = g_host;
    g_current_fiber = f;
    g_host = host;
    release(invoke_boundary(callable, args, argc, label));
    g_host = saved_host;
    // A finished fiber is never resumed: a job's completion finds it so and drops
    // its value, and the run loop drops it from the queue.
    f->status = STATUS_FINISHED;
    f->wait_mask = 0;
    f->wake_ms = 0;
    g_current_fiber = saved;
    release(host);}

void host_call_shutdown() {
    if (!is_ref_of(g_host, T_FIBER)) return;
    fiber_record(as_obj(g_host))->status = STATUS_FINISHED;
    release(g_host);
    g_host = kAbsent;
}

}  // namespace tarvik
