// sched/signals_linux.cpp: the control thread. The four signals are blocked in
// every thread and taken by sigwait on one thread of their own, which only sets
// bits in the pending mask and wakes an idle run loop. An event without a handler
// asks the VM thread to exit; when that thread is stuck in native code (a blocking
// read) the control thread ends the process itself after a grace period. Shutdown
// stops and joins the thread, so the VM leaves no thread behind.
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "sched/signals.h"

namespace tarvik {

void signals_release_handlers();

namespace {

constexpr auto kExitGrace = std::chrono::milliseconds(2000);
constexpr int kMaxWaitFds = 80;

std::atomic<uint32_t> g_pending{0};
std::atomic<uint32_t> g_handled{0};  // mirror of the handler table for the control thread
bool g_started = false;              // VM thread only
pthread_t g_thread;
std::atomic<bool> g_stopping{false};
int g_wake_fd = -1;  // eventfd written by post(): lets the idle wait poll other descriptors too

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
    if (g_wake_fd >= 0) {
        uint64_t one = 1;
        (void)!::write(g_wake_fd, &one, sizeof one);
    }
}

void* control_thread_main(void*) {
    sigset_t set = control_signals();
    while (!g_stopping.load()) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) continue;
        if (g_stopping.load()) break;  // the signal sent by signals_stop
        int k = control_event_of(signal);
        if (!k) continue;
        post(k);
        if (g_handled.load() & (uint32_t(1) << k)) continue;
        // The run loop exits with status k at its next pass; if it does not get
        // there, the process still ends. A shutdown in time cuts the wait short.
        std::unique_lock<std::mutex> hold(g_idle->lock);
        if (g_idle->wake.wait_for(hold, kExitGrace, [] { return g_stopping.load(); })) break;
        std::fflush(stdout);
        _exit(k);
    }
    return nullptr;
}

}  // namespace

void signals_mirror_handler(int k, bool present) {
    if (present) g_handled.fetch_or(uint32_t(1) << k);
    else g_handled.fetch_and(~(uint32_t(1) << k));
}

void signals_start() {
    if (g_started) return;
    sigset_t set = control_signals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    g_stopping.store(false);
    g_wake_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    g_started = pthread_create(&g_thread, nullptr, control_thread_main, nullptr) == 0;
}

void signals_stop() {
    signals_release_handlers();
    if (g_started) {
        {
            std::lock_guard<std::mutex> hold(g_idle->lock);
            g_stopping.store(true);
        }
        g_idle->wake.notify_all();
        // SIGQUIT is blocked everywhere, so it stays pending for this thread until
        // its sigwait takes it (or the thread, already leaving, ignores it).
        pthread_kill(g_thread, SIGQUIT);
        pthread_join(g_thread, nullptr);
        g_started = false;
        // A signal that arrived meanwhile was aimed at the process: leave it pending
        // for nobody rather than let a later thread take it as an event.
    }
    if (g_wake_fd >= 0) ::close(g_wake_fd);
    g_wake_fd = -1;
    g_pending.store(0);
}

uint32_t signals_take_pending() { return g_pending.exchange(0); }

void signals_post(int k) {
    if (k > 0 && k < kSignalSlots) post(k);
}

void signals_idle_wait(uint32_t ms, const int* fds, int count) {
    if (g_wake_fd < 0 && count <= 0) {
        std::unique_lock<std::mutex> hold(g_idle->lock);
        g_idle->wake.wait_for(hold, std::chrono::milliseconds(ms), [] { return g_pending.load() != 0; });
        return;
    }
    if (g_pending.load() != 0) return;
    struct pollfd set[kMaxWaitFds];
    int n = 0;
    if (g_wake_fd >= 0) set[n++] = pollfd{g_wake_fd, POLLIN, 0};
    for (int i = 0; i < count && n < kMaxWaitFds; ++i) set[n++] = pollfd{fds[i], POLLIN, 0};
    // A post between the check above and the poll leaves the eventfd readable.
    (void)::poll(set, nfds_t(n), int(ms));
    uint64_t drained;
    if (g_wake_fd >= 0) (void)!::read(g_wake_fd, &drained, sizeof drained);
}

}  // namespace tarvik
