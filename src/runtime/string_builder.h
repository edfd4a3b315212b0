// runtime/string_builder.h: a growable zero-terminated byte buffer for building text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

struct StringBuilder {
    char* data = nullptr;
    size_t length = 0;
    size_t capacity = 0;
};

// Capacity 0 means 16; 2^31 or more raises 6 and returns false.
bool sb_init(StringBuilder* sb, size_t capacity);
// Growth doubles until length + n + 1 fits; 2^31 or overflow raises 8 and leaves
// the builder unchanged (returns false).
bool sb_append_byte(StringBuilder* sb, char c);
bool sb_append_text(StringBuilder* sb, const char* text);  // length bounded as checked_strlen
bool sb_append_bytes(StringBuilder* sb, const char* bytes, size_t n);
// Moves the bytes into a new string value and empties the builder.
Value sb_to_string(StringBuilder* sb);
void sb_free(StringBuilder* sb);

}  // namespace tarvik
