// sched/signals.cpp: the handler table and the delivery of control events.
#include "sched/signals.h"

#include "engine/fiber.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/vm_options.h"
#include "sched/scheduler.h"

namespace tarvik {

void signals_mirror_handler(int k, bool present);  // signals_linux.cpp

namespace {

Value g_handlers[kSignalSlots];

bool is_handler_kind(Value v) {
    return is_ref(v) && (as_obj(v)->type & (T_FUNCTION | T_BUILTIN | T_BOUND_METHOD | T_FFI_FUNCTION)) &&
           (as_obj(v)->type & ~(T_FUNCTION | T_BUILTIN | T_BOUND_METHOD | T_FFI_FUNCTION)) == 0;
}

}  // namespace

bool signal_set_handler(int64_t signal, Value handler) {
    if ((signal != kSignalInt && signal != kSignalTerm) || !is_handler_kind(handler)) return false;
    retain(handler);
    release(g_handlers[signal]);
    g_handlers[signal] = handler;
    signals_mirror_handler(int(signal), true);
    return true;
}

Value signal_handler(int signal) {
    return signal > 0 && signal < kSignalSlots ? g_handlers[signal] : kAbsent;
}

void signals_release_handlers() {
    for (int k = 0; k < kSignalSlots; ++k) {
        signals_mirror_handler(k, false);
        release(g_handlers[k]);
        g_handlers[k] = kAbsent;
    }
}

void signals_deliver() {
    uint32_t pending = signals_take_pending();
    for (int k = 1; k < kSignalSlots; ++k) {
        if (!(pending & (uint32_t(1) << k))) continue;
        print_trace("Caught control event %d\n", k);
        Value handler = g_handlers[k];
        if (is_absent(handler)) {
            // The control thread found no handler either and asked for the exit.
            print_verbose("Caught unhandled control event %d\n", k);
            vm_exit(k);
        }
        Value arg = make_int(k);
        scheduler_spawn_detached(handler, &arg, 1);
        if (g_current_fiber) g_current_fiber->flags |= FIBER_SWITCH;
    }
}

}  // namespace tarvik
