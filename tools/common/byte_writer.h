// tools/common/byte_writer.h: little-endian appends and in-place stores for the byte
// buffers the assembler builds. Packages are unaligned little-endian throughout.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace tarvik::tools {

using Bytes = std::vector<uint8_t>;

// Appends the low `width` bytes of value, least significant first.
inline void put_le(Bytes& out, uint64_t value, unsigned width) {
    for (unsigned i = 0; i < width; ++i) out.push_back(uint8_t(value >> (8 * i)));
}
inline void put_u8(Bytes& out, uint64_t v) { put_le(out, v, 1); }
inline void put_u16(Bytes& out, uint64_t v) { put_le(out, v, 2); }
inline void put_u32(Bytes& out, uint64_t v) { put_le(out, v, 4); }
inline void put_u64(Bytes& out, uint64_t v) { put_le(out, v, 8); }
inline void put_bytes(Bytes& out, const void* data, size_t n) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    out.insert(out.end(), p, p + n);
}

// Overwrites `width` bytes at `offset`; the caller has checked the range.
inline void store_le(uint8_t* at, uint64_t value, unsigned width) {
    for (unsigned i = 0; i < width; ++i) at[i] = uint8_t(value >> (8 * i));
}

// Reads `width` bytes at `at` as an unsigned little-endian number.
inline uint64_t load_le(const uint8_t* at, unsigned width) {
    uint64_t v = 0;
    for (unsigned i = 0; i < width; ++i) v |= uint64_t(at[i]) << (8 * i);
    return v;
}

inline uint64_t double_bits(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    return bits;
}
inline double bits_double(uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}
inline uint32_t float_bits(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}
inline float bits_float(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

}  // namespace tarvik::tools
