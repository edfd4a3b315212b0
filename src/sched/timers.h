// sched/timers.h: the 64-slot timer table. A timer's callback runs in a new
// detached fiber when the run loop finds it due; interval timers stay active and
// catch up one period per pass when late.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr int kTimerSlots = 64;

// Takes the lowest free slot for `callback` (retained), due at `due_ms` on the
// monotonic clock and repeating every `interval_ms` (0: once). Returns the slot
// index as the timer id, or -1 after raising code 6 when all 64 are in use.
int timer_add(double due_ms, double interval_ms, Value callback);

// Frees an active slot (its callback released); false for ids outside 0..63.
bool timer_cancel(int64_t id);
bool timer_is_active(int64_t id);
uint32_t timer_active_count();

// Starts the callback of every due timer, in slot order (run loop step).
void timers_fire();

// The earliest due time of the active timers; +infinity when none.
double timers_earliest_due();

// Releases every callback (VM shutdown).
void timers_shutdown();

}  // namespace tarvik
