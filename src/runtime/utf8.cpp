// runtime/utf8.cpp: UTF-8 encoding and strict decoding of one code point.
#include "runtime/utf8.h"

namespace tarvik {

int utf8_encode(uint32_t code_point, char out[4]) {
    if (code_point < 0x80) {
        out[0] = char(code_point);
        return 1;
    }
    if (code_point < 0x800) {
        out[0] = char(0xC0 | (code_point >> 6));
        out[1] = char(0x80 | (code_point & 0x3F));
        return 2;
    }
    if (code_point < 0x10000) {
        if (code_point >= 0xD800 && code_point <= 0xDFFF) return 0;
        out[0] = char(0xE0 | (code_point >> 12));
        out[1] = char(0x80 | ((code_point >> 6) & 0x3F));
        out[2] = char(0x80 | (code_point & 0x3F));
        return 3;
    }
    if (code_point < 0x110000) {
        out[0] = char(0xF0 | (code_point >> 18));
        out[1] = char(0x80 | ((code_point >> 12) & 0x3F));
        out[2] = char(0x80 | ((code_point >> 6) & 0x3F));
        out[3] = char(0x80 | (code_point & 0x3F));
        return 4;
    }
    return 0;
}

bool utf8_decode(const uint8_t* bytes, size_t length, size_t position, uint32_t* code_point,
                 int* byte_count) {
    if (!bytes || position >= length) return false;
    uint8_t lead = bytes[position];
    if (lead < 0x80) {
        *code_point = lead;
        *byte_count = 1;
        return true;
    }
    int n;
    uint32_t cp;
    uint32_t min;
    if ((lead & 0xE0) == 0xC0) {
        n = 2;
        cp = lead & 0x1F;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        n = 3;
        cp = lead & 0x0F;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        n = 4;
        cp = lead & 0x07;
        min = 0x10000;
    } else {
        return false;  // a continuation byte, or 0xF8..0xFF
    }
    if (length - position < size_t(n)) return false;
    for (int k = 1; k < n; ++k) {
        uint8_t c = bytes[position + k];
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp >= 0x110000) return false;
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    *code_point = cp;
    *byte_count = n;
    return true;
}

}  // namespace tarvik
