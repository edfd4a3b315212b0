// sched/io_ops_linux.cpp: socket calls of the operation poller.
#include "sched/io_ops_linux.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <vector>

#include "sched/io_ops.h"

namespace tarvik {

namespace {

long result_of(long n, uint8_t* outcome) {
    if (n >= 0) return n;
    switch (errno) {
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EINTR: return IO_SOCKET_RETRY;
    case ENETRESET:
    case ECONNABORTED:
    case ECONNRESET: *outcome = IO_OUTCOME_RESET; break;
    case ENOTSOCK:
    case EBADF:
    case ESHUTDOWN:
    case EPIPE: *outcome = IO_OUTCOME_CLOSED; break;
    default: *outcome = IO_OUTCOME_ERROR; break;
    }
    return IO_SOCKET_FAILED;
}

}  // namespace

bool io_socket_is_socket(int fd) {
    int type = 0;
    socklen_t size = sizeof type;
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &size) == 0;
}

long io_socket_recv(int fd, void* buffer, size_t size, uint8_t* outcome) {
    return result_of(::recv(fd, buffer, size, MSG_DONTWAIT), outcome);
}

long io_socket_send(int fd, const void* data, size_t size, uint8_t* outcome) {
    return result_of(::send(fd, data, size, MSG_DONTWAIT | MSG_NOSIGNAL), outcome);
}

int io_wait(IoWaitEntry* entries, size_t count, int timeout_ms) {
    std::vector<pollfd> fds(count);
    for (size_t i = 0; i < count; ++i) fds[i] = pollfd{entries[i].fd, short(entries[i].write ? POLLOUT : POLLIN), 0};
    int n = ::poll(fds.data(), nfds_t(count), timeout_ms);
    if (n < 0) return errno == EINTR ? 0 : -1;
    for (size_t i = 0; i < count; ++i) entries[i].ready = fds[i].revents != 0;
    return n;
}

}  // namespace tarvik
