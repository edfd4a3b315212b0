// runtime/block.h: blocks, raw native byte buffers registered with the block-region
// registry so that raw memory access may reach them.
//
//   aux = element count   a = address of the bytes   low byte of b = element width
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr uint64_t kMaxBlockTotalBytes = uint64_t(1) << 36;

inline uint32_t block_count(const ObjHeader* b) { return b->aux; }
inline uint8_t* block_bytes(const ObjHeader* b) { return reinterpret_cast<uint8_t*>(b->a); }
inline uint32_t block_width(const ObjHeader* b) { return uint32_t(b->b & 0xFF); }

// New zeroed block of count elements of width bytes (at least 1 byte). Yields nil
// for a width outside 1..255 or when all block bytes would reach 2^36; a request of
// 2^31 bytes or more raises 6.
Value make_block(uint32_t count, uint32_t width);

// Reads element i (signed, by width 1/2/4/8) / writes it truncated to the width.
// Other widths raise 6. The caller has bounds-checked i and passed the guard.
int64_t block_read(const ObjHeader* block, uint32_t i);
void block_write(ObjHeader* block, uint32_t i, int64_t value);

}  // namespace tarvik
