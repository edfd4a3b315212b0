// package/byte_reader.h: the bounds-checked little-endian cursor every reader of
// package bytes uses. A read past the end prints its error line and ends the
// process with status 4; readers never see partial data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarvik {

struct ByteReader {
    const uint8_t* data;  // not owned
    size_t size;
    size_t pos;
};

inline ByteReader byte_reader(const uint8_t* data, size_t size) { return ByteReader{data, size, 0}; }

// Ends the load: prints "Unexpected end of buffer while reading bytecode (pos/size)".
[[noreturn]] void reader_overrun(const ByteReader& r);

inline void reader_need(const ByteReader& r, size_t n) {
    if (r.size - r.pos < n) reader_overrun(r);
}

inline uint8_t read_u8(ByteReader& r) {
    reader_need(r, 1);
    return r.data[r.pos++];
}

template <typename T>
inline T read_le(ByteReader& r) {
    reader_need(r, sizeof(T));
    T v;
    std::memcpy(&v, r.data + r.pos, sizeof v);  // x86-64 is little-endian
    r.pos += sizeof(T);
    return v;
}

inline uint16_t read_u16(ByteReader& r) { return read_le<uint16_t>(r); }
inline uint32_t read_u32(ByteReader& r) { return read_le<uint32_t>(r); }
inline uint64_t read_u64(ByteReader& r) { return read_le<uint64_t>(r); }
inline double read_f64(ByteReader& r) { return read_le<double>(r); }

// Copies n bytes (n = 0 does nothing).
inline void read_bytes(ByteReader& r, void* out, size_t n) {
    if (n == 0) return;
    reader_need(r, n);
    std::memcpy(out, r.data + r.pos, n);
    r.pos += n;
}

// Advances by n; past the end prints "Skip out of bounds in bytecode buffer ...".
void reader_skip(ByteReader& r, size_t n);
// Moves to p; beyond the size prints "Seek out of bounds in bytecode buffer ...".
void reader_seek(ByteReader& r, size_t p);

// Prints a load error line and ends the process through the VM shutdown, status 4.
[[noreturn]] void load_fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tarvik
