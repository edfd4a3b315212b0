// sched/io_wake_linux.cpp: the wake-up socket pair and the processor count.
#include "sched/io_wake_linux.h"

#include <ctime>
#include <csignal>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvik {

bool io_wake_open(IoWake* wake) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) return false;
    wake->receive_fd = fds[0];
    wake->send_fd = fds[1];
    return true;
}

void io_wake_close(IoWake* wake) {
    if (wake->receive_fd >= 0) ::close(wake->receive_fd);
    if (wake->send_fd >= 0) ::close(wake->send_fd);
    wake->receive_fd = wake->send_fd = -1;
}

void io_wake_signal(IoWake* wake) {
    // A full socket buffer already holds a signal, so a failed send loses nothing.
    if (wake->send_fd >= 0) (void)::send(wake->send_fd, "", 1, MSG_DONTWAIT);
}

void io_wake_wait(IoWake* wake, int timeout_ms) {
    if (wake->receive_fd < 0) {
        struct timespec pause{0, long(timeout_ms) * 1000000L};
        ::nanosleep(&pause, nullptr);
        return;
    }
    struct pollfd entry{wake->receive_fd, POLLIN, 0};
    (void)::poll(&entry, 1, timeout_ms);
}

void io_wake_clear(IoWake* wake) {
    char buffer[64];
    if (wake->receive_fd < 0) return;
    while (::recv(wake->receive_fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
    }
}

void io_worker_block_signals() {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
}

long io_processor_count() { return ::sysconf(_SC_NPROCESSORS_ONLN); }

}  // namespace tarvik
