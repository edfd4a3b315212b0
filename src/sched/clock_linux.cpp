// sched/clock_linux.cpp: the scheduler's clocks on clock_gettime.
#include "sched/clock.h"

#include <time.h>

namespace tarvik {

namespace {
double g_start_ms = 0;
}

double clock_now_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(int64_t(ts.tv_nsec)) / 1000000.0;
}

double clock_wall_ms() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    // 100 ns units, as the file-time form counts, converted to milliseconds.
    int64_t units = int64_t(ts.tv_sec) * 10000000 + ts.tv_nsec / 100;
    return double(units / 10000);
}

void clock_mark_start() { g_start_ms = clock_now_ms(); }
double clock_start_ms() { return g_start_ms; }

}  // namespace tarvik
