// stdlib/event/event_module.cpp: the Event module. Waiting members park the caller
// with its wait mask set; the fiber stays queued and the run loop resumes it with
// the event values once all its events are set, or with nil after its time-out.
#include "engine/fiber.h"
#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "sched/clock.h"
#include "sched/events.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

bool is_integer(Value v) { return is_imm_int(v) || is_ref_of(v, T_INT); }

// An event id argument in 0..63; -1 after raising code 4.
int event_id(Value v) {
    int64_t id = value_to_int(v);
    if (id < 0 || id >= kEventCount) {
        raise_error(ERR_OUT_OF_BOUNDS);
        return -1;
    }
    return int(id);
}

// Parks the current fiber on `mask`; it stays Running and queued, skipped by the
// run loop's scan until its events are set or `timeout_ms` (when positive) passes.
Value wait_on(uint64_t mask, Value timeout, bool all) {
    FiberRecord* f = g_current_fiber;
    if (!f) return nil_value();
    f->wait_mask = mask;
    event_note_waiter(mask);
    f->flags = uint8_t(all ? f->flags | FIBER_WAIT_ALL : f->flags & ~FIBER_WAIT_ALL);
    f->flags |= FIBER_SWITCH;
    f->wake_ms = 0;
    int64_t ms = is_absent(timeout) ? 0 : value_to_int(timeout);
    if (ms >= 1) f->wake_ms = clock_now_ms() + double(ms);
    return kAbsent;
}

// Natives borrow args[0..count) and return a new reference (nil after raising).
Value event_create_member(Value*, int) { return make_int(event_create()); }

Value event_wait_one(Value* args, int count) {
    int id = event_id(args[0]);
    if (id < 0) return nil_value();
    return wait_on(uint64_t(1) << id, count > 1 ? args[1] : kAbsent, false);
}

Value event_wait_for(Value* args, int count) {
    if (!is_array(args[0]) || array_is_flat_float(as_obj(args[0]))) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    const ObjHeader* ids = as_obj(args[0]);
    uint32_t n = array_count(ids);
    if (n == 0) return make_array(0);
    uint64_t mask = 0;
    for (uint32_t i = 0; i < n; ++i) {
        Value item = array_items(ids)[i];
        if (!is_integer(item)) {
            raise_error(ERR_INVALID_ARGUMENTS);
            return nil_value();
        }
        int id = event_id(item);
        if (id < 0) return nil_value();
        mask |= uint64_t(1) << id;
    }
    return wait_on(mask, count > 1 ? args[1] : kAbsent, true);
}

Value event_set(Value* args, int count) {
    int id = event_id(args[0]);
    if (id < 0) return nil_value();
    if (!event_is_allocated(id)) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    event_signal(id, count > 1 ? args[1] : nil_value());
    return nil_value();
}

Value event_free(Value* args, int) {
    int id = event_id(args[0]);
    if (id >= 0) event_clear(id, /*free_it=*/true);
    return nil_value();
}

Value event_reset(Value* args, int) {
    int id = event_id(args[0]);
    if (id >= 0) event_clear(id, /*free_it=*/false);
    return nil_value();
}

constexpr Signature kNoneToInt{T_INT, {}};
constexpr Signature kWaitOne{T_ANY, {T_INT, T_INT}};
constexpr Signature kWaitFor{T_ARRAY, {T_ANY, T_INT}};  // or nil, which a mask cannot say
constexpr Signature kSet{T_NIL, {T_INT, T_ANY}};
constexpr Signature kIdToNil{T_NIL, {T_INT}};

}  // namespace

constexpr BuiltinNative kEventNatives[] = {
    {"Create", event_create_member, &kNoneToInt},
    {"WaitOne", event_wait_one, &kWaitOne},
    {"Set", event_set, &kSet},
    {"WaitFor", event_wait_for, &kWaitFor},
    {"Free", event_free, &kIdToNil},
    {"Reset", event_reset, &kIdToNil},
};

void event_register_natives() { builtin_register_module("Event", kEventNatives); }

}  // namespace tarvik
