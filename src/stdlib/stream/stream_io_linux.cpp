// stdlib/stream/stream_io_linux.cpp: reads and writes on stream descriptors.
#include "stdlib/stream/stream_io.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvik {

namespace {

// The socket's SO_RCVTIMEO / SO_SNDTIMEO in ms for poll: -1 (no end) when unset.
int socket_timeout_ms(int fd, int option) {
    struct timeval tv{};
    socklen_t length = sizeof tv;
    if (::getsockopt(fd, SOL_SOCKET, option, &tv, &length) != 0) return -1;
    int64_t ms = int64_t(tv.tv_sec) * 1000 + tv.tv_usec / 1000;
    if (ms <= 0) return tv.tv_usec > 0 ? 1 : -1;
    return ms > INT32_MAX ? INT32_MAX : int(ms);
}

// Waits for the events; false with errno EAGAIN when the time runs out.
bool poll_for(int fd, short events, int timeout_ms) {
    struct pollfd p{fd, events, 0};
    for (;;) {
        int n = ::poll(&p, 1, timeout_ms);
        if (n > 0) return true;
        if (n == 0) {
            errno = EAGAIN;
            return false;
        }
        if (errno != EINTR) return false;
    }
}

// After EAGAIN: waits when the descriptor is non-blocking (a blocking one already
// waited its time-out). True when the call should be repeated.
bool wait_after_eagain(int fd, uint8_t kind, short events) {
    int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || !(flags & O_NONBLOCK)) return false;
    int timeout = kind == STREAM_SOCKET ? socket_timeout_ms(fd, events == POLLIN ? SO_RCVTIMEO : SO_SNDTIMEO) : -1;
    return poll_for(fd, events, timeout);
}

// write() on a pipe whose reader is gone raises SIGPIPE, which would end the VM:
// the signal is held back for the call and a pending one taken away, so the
// write fails with EPIPE instead.
ssize_t write_without_sigpipe(int fd, const void* data, size_t size) {
    sigset_t pipe_set, old_set, pending;
    sigemptyset(&pipe_set);
    sigaddset(&pipe_set, SIGPIPE);
    sigpending(&pending);
    bool was_pending = sigismember(&pending, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_set, &old_set);
    ssize_t n = ::write(fd, data, size);
    int saved = errno;
    if (n < 0 && saved == EPIPE && !was_pending) {
        struct timespec zero{0, 0};
        while (sigtimedwait(&pipe_set, nullptr, &zero) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &old_set, nullptr);
    errno = saved;
    return n;
}

}  // namespace

ssize_t stream_read_some(int fd, uint8_t kind, void* buffer, size_t size, bool peek) {
    if (fd < 0) {
        errno = EBADF;
        return -1;
    }
    for (;;) {
        ssize_t n = kind == STREAM_SOCKET ? ::recv(fd, buffer, size, peek ? MSG_PEEK : 0) : ::read(fd, buffer, size);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && wait_after_eagain(fd, kind, POLLIN)) continue;
        return -1;
    }
}

ssize_t stream_read_full(int fd, uint8_t kind, void* buffer, size_t size) {
    size_t total = 0;
    while (total < size) {
        ssize_t n = stream_read_some(fd, kind, static_cast<char*>(buffer) + total, size - total);
        if (n < 0) return total > 0 ? ssize_t(total) : -1;
        if (n == 0) break;
        total += size_t(n);
    }
    return ssize_t(total);
}

bool stream_write_all(int fd, uint8_t kind, const void* data, size_t size, size_t* written) {
    const char* p = static_cast<const char*>(data);
    size_t done = 0;
    bool ok = fd >= 0;
    if (!ok) errno = EBADF;
    while (ok && done < size) {
        ssize_t n = kind == STREAM_SOCKET ? ::send(fd, p + done, size - done, MSG_NOSIGNAL)
                                          : write_without_sigpipe(fd, p + done, size - done);
        if (n > 0) {
            done += size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait_after_eagain(fd, kind, POLLOUT)) {
            continue;
        } else {
            ok = false;
        }
    }
    if (written) *written = done;
    return ok;
}

bool stream_wait_readable(int fd, int timeout_ms) { return poll_for(fd, POLLIN, timeout_ms); }

}  // namespace tarvik
