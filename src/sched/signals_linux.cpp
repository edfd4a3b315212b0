// sched/signals_linux.cpp: the control thread. The four signals are blocked in
// every thread and taken by sigwait on one thread of their own, which only sets
// bits in the pending mask and wakes an idle run loop. An event without a handler
// asks the VM thread to exit; when that thread is stuck in native code (a blocking
// read) the control thread ends the process itself after a grace period.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "sched/signals.h"

namespace tarvik {

void signals_release_handlers();

namespace {

constexpr auto kExitGrace = std::chrono::milliseconds(2000);

std::atomic<uint32_t> g_pending{0};
std::atomic<uint32_t> g_handled{0};  // mirror of the handler table for the control thread
std::atomic<bool> g_started{false};

// Never destroyed: the control thread may still use them while the process exits.
struct IdleWake {
    std::mutex lock;
    std::condition_variable wake;
};
IdleWake* g_idle = new IdleWake;

sigset_t control_signals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGQUIT);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGTERM);
    return set;
}

// The control event number of a process signal; 0 for none.
int control_event_of(int signal) {
    switch (signal) {
    case SIGINT: return 1;   // Ctrl+C
    case SIGQUIT: return 2;  // Ctrl+\ stands in for Ctrl+Break
    case SIGHUP: return 3;   // the terminal closed
    case SIGTERM: return 5;  // shut-down
    default: return 0;
    }
}

void post(int k) {
    {
        std::lock_guard<std::mutex> hold(g_idle->lock);
        g_pending.fetch_or(uint32_t(1) << k);
    }
    g_idle->wake.notify_all();
}

[[noreturn]] void control_thread_main() {
    sigset_t set = control_signals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) continue;
        int k = control_event_of(signal);
        if (!k) continue;
        post(k);
        if (g_handled.load() & (uint32_t(1) << k)) continue;
        // The run loop exits with status k at its next pass; if it does not get
        // there, the process still ends.
        std::this_thread::sleep_for(kExitGrace);
        std::fflush(stdout);
        _exit(k);
    }
}

}  // namespace

void signals_mirror_handler(int k, bool present) {
    if (present) g_handled.fetch_or(uint32_t(1) << k);
    else g_handled.fetch_and(~(uint32_t(1) << k));
}

void signals_start() {
    if (g_started.exchange(true)) return;
    sigset_t set = control_signals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(control_thread_main).detach();
}

void signals_stop() { signals_release_handlers(); }

uint32_t signals_take_pending() { return g_pending.exchange(0); }

void signals_post(int k) {
    if (k > 0 && k < kSignalSlots) post(k);
}

void signals_idle_wait(uint32_t ms) {
    std::unique_lock<std::mutex> hold(g_idle->lock);
    g_idle->wake.wait_for(hold, std::chrono::milliseconds(ms), [] { return g_pending.load() != 0; });
}

}  // namespace tarvik
