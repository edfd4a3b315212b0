// sched/io_ops_linux.h: the socket calls of the operation poller: the socket test,
// receives and sends that never block (MSG_DONTWAIT) with errno turned into
// outcome codes, and poll(2).
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

// What a receive or send did: bytes moved (> 0), the peer closed (0, receive
// only), nothing ready yet (IO_SOCKET_RETRY) or failed (IO_SOCKET_FAILED, with
// the outcome code in *outcome).
constexpr long IO_SOCKET_RETRY = -1;
constexpr long IO_SOCKET_FAILED = -2;

bool io_socket_is_socket(int fd);
long io_socket_recv(int fd, void* buffer, size_t size, uint8_t* outcome);
long io_socket_send(int fd, const void* data, size_t size, uint8_t* outcome);

struct IoWaitEntry {
    int fd;
    bool write;  // wait for room to send, else for data (or the peer's end)
    bool ready;  // set by io_wait: ready, or in error (the next call reports it)
};
// Waits up to timeout_ms (>= 0) for any entry. The number ready, 0 on time-out,
// -1 when poll failed (interrupted calls report 0).
int io_wait(IoWaitEntry* entries, size_t count, int timeout_ms);

}  // namespace tarvik
