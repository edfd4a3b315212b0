// runtime/string_builder.cpp: the growable zero-terminated byte buffer that native
// code builds text in.
#include "runtime/string_builder.h"

#include <cstring>

#include "runtime/alloc.h"
#include "runtime/errors.h"
#include "runtime/string.h"

namespace tarvik {

bool sb_init(StringBuilder* sb, size_t capacity) {
    if (capacity == 0) capacity = 16;
    if (capacity >= kAllocLimit) {
        raise_error(ERR_RUNTIME);
        return false;
    }
    char* data = static_cast<char*>(checked_alloc(capacity));
    if (!data) return false;
    sb->data = data;
    sb->length = 0;
    sb->capacity = capacity;
    return true;
}

// Room for n more bytes and the terminator. On failure the builder is unchanged.
static bool sb_reserve(StringBuilder* sb, size_t n) {
    size_t need = sb->length + n + 1;
    if (need < sb->length) {  // wrapped
        raise_error(ERR_OUT_OF_MEMORY);
        return false;
    }
    if (need <= sb->capacity && sb->data) return true;
    size_t capacity = sb->capacity ? sb->capacity : 16;
    while (capacity < need) {
        if (capacity >= kAllocLimit) break;
        capacity *= 2;
    }
    if (capacity >= kAllocLimit) {
        raise_error(ERR_OUT_OF_MEMORY);
        return false;
    }
    // A fresh buffer rather than a resize: the resize wrapper's failure cannot be told
    // apart from an in-place success.
    char* data = static_cast<char*>(checked_alloc(capacity));
    if (!data) return false;
    if (sb->data) {
        std::memcpy(data, sb->data, sb->length + 1);
        checked_free(sb->data);
    }
    sb->data = data;
    sb->capacity = capacity;
    return true;
}

bool sb_append_bytes(StringBuilder* sb, const char* bytes, size_t n) {
    if (!sb_reserve(sb, n)) return false;
    if (n) std::memcpy(sb->data + sb->length, bytes, n);
    sb->length += n;
    sb->data[sb->length] = '\0';
    return true;
}

bool sb_append_byte(StringBuilder* sb, char c) {
    if (!sb_reserve(sb, 1)) return false;
    sb->data[sb->length++] = c;
    sb->data[sb->length] = '\0';
    return true;
}

bool sb_append_text(StringBuilder* sb, const char* text) {
    size_t n = checked_strlen(text);
    if (!text) return false;
    return sb_append_bytes(sb, text, n);
}

Value sb_to_string(StringBuilder* sb) {
    Value v = sb->data ? make_string_adopt(sb->data, sb->length) : empty_string_value();
    *sb = StringBuilder{};
    return v;
}

void sb_free(StringBuilder* sb) {
    checked_free(sb->data);
    *sb = StringBuilder{};
}

}  // namespace tarvik
