// stdlib/stream/stream_value.cpp: making stream values.
#include "stdlib/stream/stream_value.h"

#include "runtime/heap.h"

namespace tarvik {

Value make_stream(int32_t fd, uint8_t kind, uint8_t mode) {
    ObjHeader* o = heap_alloc();
    o->type = T_STREAM;
    o->aux = 0;
    o->a = 0;
    o->b = uint64_t(uint32_t(fd)) | uint64_t(kind) << 32 | uint64_t(mode) << 40;
    return make_ref(o);
}

}  // namespace tarvik
