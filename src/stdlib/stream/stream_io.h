// stdlib/stream/stream_io.h: byte transfer on a stream's descriptor. Sockets use
// recv/send, every other kind read/write; interrupted calls are retried, and a
// descriptor that was made non-blocking still behaves as blocking here: the call
// waits for it (a socket up to its receive or send time-out) instead of failing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

#include "stdlib/stream/stream_value.h"

namespace tarvik {

// Up to `size` bytes: the count, 0 at end of stream, -1 on error (errno set; EAGAIN
// when a time-out ran out). `peek` leaves socket data queued.
ssize_t stream_read_some(int fd, uint8_t kind, void* buffer, size_t size, bool peek = false);
// Loops over short reads until `size` bytes or the end; the count read, -1 on an
// error before any byte.
ssize_t stream_read_full(int fd, uint8_t kind, void* buffer, size_t size);
// Writes every byte, retrying partial writes; false on error. `written` (optional)
// receives the bytes written before an error.
bool stream_write_all(int fd, uint8_t kind, const void* data, size_t size, size_t* written = nullptr);
// Waits until the descriptor is readable; `timeout_ms` < 0 waits without end. False
// when the time ran out (errno EAGAIN) or poll failed.
bool stream_wait_readable(int fd, int timeout_ms);

// The open stream record of an argument: null for anything else and for a closed
// stream, so no call ever reaches descriptor -1 or a reused number.
inline ObjHeader* open_stream_argument(Value v) {
    ObjHeader* s = stream_argument(v);
    return s && stream_fd(s) >= 0 ? s : nullptr;
}

// Registers the fixed-width and variable-length integer members (stream_binary.cpp).
void stream_register_binary_natives();

}  // namespace tarvik
