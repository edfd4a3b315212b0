// sched/clock.h: the clocks of the scheduler. Wake times, timers and deadlines use
// the monotonic clock; absolute-time timers and the VM start time use wall-clock
// time. Both are milliseconds as doubles.
#pragma once

#include <cstdint>

namespace tarvik {

// Monotonic milliseconds: whole seconds times 1000 plus the nanosecond remainder
// divided by 10^6 (never goes back).
double clock_now_ms();

// Unix time in milliseconds.
double clock_wall_ms();

// Records the monotonic time of VM start (VM initialisation) and reads it back.
void clock_mark_start();
double clock_start_ms();

}  // namespace tarvik
