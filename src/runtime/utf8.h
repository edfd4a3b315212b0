// runtime/utf8.h: UTF-8 encoding and strict decoding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

// Writes 1..4 bytes; 0 for a surrogate or a code point of 0x110000 or more.
int utf8_encode(uint32_t code_point, char out[4]);

// Decodes at `position`; false on any malformed, overlong, surrogate or out-of-range
// sequence and when the position is outside the buffer.
bool utf8_decode(const uint8_t* bytes, size_t length, size_t position, uint32_t* code_point,
                 int* byte_count);

}  // namespace tarvik
