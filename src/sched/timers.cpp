// sched/timers.cpp: the timer table, its next-due cache and the firing step.
#include "sched/timers.h"

#include <cmath>
#include <limits>

#include "runtime/errors.h"
#include "sched/clock.h"
#include "sched/scheduler.h"

namespace tarvik {

namespace {

struct TimerSlot {
    uint64_t timer_id;
    double due_ms;
    double interval_ms;
    Value callback;
    uint32_t active;
};

constexpr double kNoneDue = std::numeric_limits<double>::infinity();

TimerSlot g_timers[kTimerSlots];
uint8_t g_active_count = 0;
double g_next_due = kNoneDue;  // +infinity: recompute on demand

void clear_slot(TimerSlot& t) {
    Value callback = t.callback;
    t = TimerSlot{};
    g_active_count -= 1;
    g_next_due = kNoneDue;
    release(callback);
}

}  // namespace

int timer_add(double due_ms, double interval_ms, Value callback) {
    for (int i = 0; i < kTimerSlots; ++i) {
        TimerSlot& t = g_timers[i];
        if (t.active) continue;
        retain(callback);
        t = TimerSlot{uint64_t(i), due_ms, interval_ms, callback, 1};
        g_active_count += 1;
        if (due_ms < g_next_due) g_next_due = due_ms;
        return i;
    }
    raise_error(ERR_RUNTIME);
    return -1;
}

bool timer_cancel(int64_t id) {
    if (id < 0 || id >= kTimerSlots) return false;
    if (g_timers[id].active) clear_slot(g_timers[id]);
    return true;
}

bool timer_is_active(int64_t id) { return id >= 0 && id < kTimerSlots && g_timers[id].active; }

uint32_t timer_active_count() { return g_active_count; }

void timers_fire() {
    if (!g_active_count) return;
    double now = clock_now_ms();
    for (TimerSlot& t : g_timers) {
        if (!t.active || t.due_ms > now) continue;
        // The callback's fiber holds its own reference; a full queue drops it.
        scheduler_spawn_detached(t.callback, nullptr, 0);
        if (t.interval_ms > 0) {
            t.due_ms += t.interval_ms;  // from the previous due time: late timers catch up
        } else {
            clear_slot(t);
        }
        g_next_due = kNoneDue;
    }
}

double timers_earliest_due() {
    if (g_next_due == kNoneDue) {
        for (const TimerSlot& t : g_timers) {
            if (t.active && t.due_ms < g_next_due) g_next_due = t.due_ms;
        }
    }
    return g_next_due;
}

void timers_shutdown() {
    for (TimerSlot& t : g_timers) {
        if (t.active) clear_slot(t);
    }
}

}  // namespace tarvik
