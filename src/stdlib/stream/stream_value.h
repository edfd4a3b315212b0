// stdlib/stream/stream_value.h: the stream value. Payload b packs the descriptor
// (low 32 bits, -1 once closed), the kind (bits 32..39) and the mode (bits 40..47),
// the layout the runtime's release and equality already read. Freeing a stream
// closes its descriptor.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

enum StreamKind : uint8_t {
    STREAM_FILE = 1,
    STREAM_SOCKET = 2,
    STREAM_SERIAL = 3,
    STREAM_PIPE = 4,
    STREAM_STANDARD = 5,
};

inline int32_t stream_fd(const ObjHeader* s) { return int32_t(uint32_t(s->b)); }
inline uint8_t stream_kind(const ObjHeader* s) { return uint8_t(s->b >> 32); }
inline uint8_t stream_mode(const ObjHeader* s) { return uint8_t(s->b >> 40); }
inline void stream_set_fd(ObjHeader* s, int32_t fd) {
    s->b = (s->b & ~uint64_t(0xFFFFFFFF)) | uint32_t(fd);
}

// A new stream value (a new reference) owning fd.
Value make_stream(int32_t fd, uint8_t kind, uint8_t mode);

// The stream record of a stream value, or null for anything else.
inline ObjHeader* stream_argument(Value v) { return is_ref_of(v, T_STREAM) ? as_obj(v) : nullptr; }

}  // namespace tarvik
