// sched/events.cpp: the event table, signalling with its wake-up scan, and the
// delivery and consumption of event values.
#include "sched/events.h"

#include <bit>

#include "runtime/array.h"
#include "sched/scheduler.h"

namespace tarvik {

namespace {

Value g_event_value[kEventCount];
uint64_t g_allocated = 0;
uint64_t g_set = 0;
uint64_t g_waiters = 0;  // union of the waiting fibers' masks: lets Set skip the scan

uint64_t bit_of(int id) { return uint64_t(1) << id; }

Value take_value(int id) {
    Value v = g_event_value[id];
    g_event_value[id] = kAbsent;
    return v;
}

}  // namespace

int event_create() {
    if (g_allocated == ~uint64_t(0)) return -1;
    int id = std::countr_one(g_allocated);
    release(take_value(id));
    g_set &= ~bit_of(id);
    g_allocated |= bit_of(id);
    return id;
}

void event_signal(int id, Value value) {
    retain(value);
    release(take_value(id));
    g_event_value[id] = value;
    g_set |= bit_of(id);
    if (!(g_waiters & bit_of(id))) return;
    uint64_t waiters = 0;
    for (FiberRecord* f = fiber_live_first(); f; f = f->live_next) {
        waiters |= f->wait_mask;
        if (f->wait_mask && (f->wait_mask & g_set) == f->wait_mask) scheduler_queue(make_ref(f->object));
    }
    g_waiters = waiters;
}

void event_clear(int id, bool free_it) {
    release(take_value(id));
    g_set &= ~bit_of(id);
    if (free_it) g_allocated &= ~bit_of(id);
}

bool event_is_allocated(int id) { return id >= 0 && id < kEventCount && (g_allocated & bit_of(id)); }
uint64_t event_allocated_mask() { return g_allocated; }
uint64_t event_set_mask() { return g_set; }

void event_note_waiter(uint64_t mask) { g_waiters |= mask; }

void event_consume(uint64_t mask, const FiberRecord* except) {
    uint64_t still_waited = 0;
    for (FiberRecord* f = fiber_live_first(); f; f = f->live_next) {
        if (f != except) still_waited |= f->wait_mask;
    }
    for (uint64_t left = mask & ~still_waited; left; left &= left - 1) event_clear(std::countr_zero(left), true);
}

Value event_deliver(FiberRecord* f) {
    uint64_t mask = f->wait_mask;
    Value result;
    if (f->flags & FIBER_WAIT_ALL) {
        result = make_array(std::popcount(mask));
        for (uint64_t left = mask; left; left &= left - 1) {
            Value v = g_event_value[std::countr_zero(left)];
            array_append(result, is_absent(v) ? nil_value() : v, /*borrowed=*/true);
        }
    } else {
        Value v = mask ? g_event_value[std::countr_zero(mask)] : kAbsent;
        result = is_absent(v) ? nil_value() : v;
        retain(result);
    }
    event_consume(mask, f);
    return result;
}

void events_shutdown() {
    for (int id = 0; id < kEventCount; ++id) release(take_value(id));
    g_allocated = g_set = g_waiters = 0;
}

}  // namespace tarvik
