// stdlib/timers/timers_module.cpp: the Timers module, one-shot, absolute-time,
// interval and immediate callbacks on the scheduler's timer table.
#include <cmath>

#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "sched/clock.h"
#include "sched/timers.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

// A timer runs its callback as a fiber, so only a script function will do; nil
// (which every mask lets through) is refused here rather than when it fires.
Value add_timer(double due_ms, double interval_ms, Value callback) {
    if (!is_ref_of(callback, T_FUNCTION)) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    int id = timer_add(due_ms, interval_ms, callback);
    return id < 0 ? nil_value() : make_int(id);
}

// Natives borrow args[0..count) and return a new reference (nil after raising).
Value timers_set_timeout(Value* args, int) {
    double ms = value_to_double(args[0]);
    if (std::isnan(ms)) return nil_value();
    return add_timer(clock_now_ms() + (ms > 0 ? ms : 0), 0, args[1]);
}

Value timers_set_at_time(Value* args, int) {
    double at_ms = value_to_double(args[0]) * 1000.0;
    if (std::isnan(at_ms)) return nil_value();
    double delay = at_ms - clock_wall_ms();
    return add_timer(clock_now_ms() + (delay > 0 ? delay : 0), 0, args[1]);
}

Value timers_set_interval(Value* args, int) {
    double ms = value_to_double(args[0]);
    if (!(ms > 0)) return nil_value();  // also NaN
    return add_timer(clock_now_ms() + ms, ms, args[1]);
}

Value timers_set_immediate(Value* args, int) { return add_timer(clock_now_ms(), 0, args[0]); }

Value timers_cancel(Value* args, int) { return make_bool(timer_cancel(value_to_int(args[0]))); }

Value timers_is_active(Value* args, int) { return make_bool(timer_is_active(value_to_int(args[0]))); }

constexpr Signature kDelayCallback{T_INT | T_NIL, {T_NUMBER, T_FUNCTION}};
constexpr Signature kCallback{T_INT | T_NIL, {T_FUNCTION}};
constexpr Signature kIdToBool{T_BOOL, {T_NUMBER}};

}  // namespace

constexpr BuiltinNative kTimersNatives[] = {
    {"SetTimeout", timers_set_timeout, &kDelayCallback},
    {"SetAtTime", timers_set_at_time, &kDelayCallback},
    {"SetInterval", timers_set_interval, &kDelayCallback},
    {"Cancel", timers_cancel, &kIdToBool},
    {"IsActive", timers_is_active, &kIdToBool},
    {"SetImmediate", timers_set_immediate, &kCallback},
};

void timers_register_natives() { builtin_register_module("Timers", kTimersNatives); }

}  // namespace tarvik
