// runtime/block.cpp: block values, native byte buffers that raw memory access may
// reach because each is registered in the block-region registry.
#include "runtime/block.h"

#include <cstring>

#include "runtime/alloc.h"
#include "runtime/block_registry.h"
#include "runtime/errors.h"
#include "runtime/heap.h"

namespace tarvik {

Value make_block(uint32_t count, uint32_t width) {
    if (width < 1 || width > 255) return nil_value();
    uint64_t size_bytes = uint64_t(count) * width;
    if (size_bytes == 0) size_bytes = 1;
    if (size_bytes >= kAllocLimit) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    if (g_block_regions.total_bytes + size_bytes >= kMaxBlockTotalBytes) return nil_value();
    void* bytes = checked_alloc(size_t(size_bytes));
    if (!bytes) return nil_value();
    ObjHeader* o = heap_alloc();
    o->type = T_BLOCK;
    o->aux = count;
    o->a = reinterpret_cast<uint64_t>(bytes);
    o->b = width;
    block_region_register(bytes, size_bytes);
    return make_ref(o);
}

// Elements may sit at any byte offset, so they are copied rather than dereferenced.
template <typename T>
static int64_t load_signed(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return int64_t(v);
}

template <typename T>
static void store_truncated(uint8_t* p, int64_t value) {
    T v = T(uint64_t(value));
    std::memcpy(p, &v, sizeof v);
}

int64_t block_read(const ObjHeader* block, uint32_t i) {
    uint32_t width = block_width(block);
    const uint8_t* p = block_bytes(block) + size_t(i) * width;
    switch (width) {
    case 1: return load_signed<int8_t>(p);
    case 2: return load_signed<int16_t>(p);
    case 4: return load_signed<int32_t>(p);
    case 8: return load_signed<int64_t>(p);
    default: raise_error(ERR_RUNTIME); return 0;
    }
}

void block_write(ObjHeader* block, uint32_t i, int64_t value) {
    uint32_t width = block_width(block);
    uint8_t* p = block_bytes(block) + size_t(i) * width;
    switch (width) {
    case 1: store_truncated<uint8_t>(p, value); break;
    case 2: store_truncated<uint16_t>(p, value); break;
    case 4: store_truncated<uint32_t>(p, value); break;
    case 8: store_truncated<uint64_t>(p, value); break;
    default: raise_error(ERR_RUNTIME); break;
    }
}

}  // namespace tarvik
