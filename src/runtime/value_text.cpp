// runtime/value_text.cpp: the short text of a value (concatenation, messages,
// builtins) and in-place append to a string held alone.
//
// Capacity of appended strings: the header has no room for a capacity, so a string
// grown here carries F_SPARE_CAPACITY, meaning its buffer holds at least
// bit_ceil(length + 1) bytes; every other long string holds exactly length + 1.
// The capacity is thus derived from the length, and any later change that shrank
// the length would only make the derived capacity smaller than the real one.
#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/alloc.h"
#include "runtime/operators.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"
#include "runtime/utf8.h"

namespace tarvik {

namespace {

// Largest magnitude printed as integer digits; beyond it "%g" takes over.
constexpr double kIntegralFloatLimit = 9e18;

// Copies a fixed text into the caller's buffer, cut to fit.
const char* put_text(const char* text, char* buffer, size_t size, size_t* length) {
    size_t n = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    *length = n;
    return buffer;
}

const char* put_format_result(int written, char* buffer, size_t size, size_t* length) {
    *length = written < 0 ? 0 : std::min(size_t(written), size - 1);
    buffer[*length] = '\0';
    return buffer;
}

const char* put_int(int64_t n, char* buffer, size_t size, size_t* length) {
    return put_format_result(std::snprintf(buffer, size, "%" PRId64, n), buffer, size, length);
}

const char* put_float(double d, char* buffer, size_t size, size_t* length) {
    if (std::isfinite(d) && std::fabs(d) <= kIntegralFloatLimit && d == std::trunc(d))
        return put_int(int64_t(d), buffer, size, length);  // -0.0 prints as 0
    return put_format_result(std::snprintf(buffer, size, "%g", d), buffer, size, length);
}

const char* put_char(uint32_t code_point, char* buffer, size_t size, size_t* length) {
    char bytes[5] = {};
    int n = utf8_encode(code_point, bytes);
    return put_text(n > 0 ? bytes : "?", buffer, size, length);
}

// Bytes a string's buffer can hold, terminator included.
size_t string_capacity(const ObjHeader* s) {
    if (!s->b) return 0;
    size_t needed = size_t(string_length(s)) + 1;
    return (s->flags & F_SPARE_CAPACITY) ? std::bit_ceil(needed) : needed;
}

}  // namespace

const char* value_text(Value v, char* buffer, size_t size, size_t* length) {
    if (is_string(v)) {
        const ObjHeader* s = as_obj(v);
        const char* chars = string_chars(s);
        *length = chars ? string_length(s) : 0;
        return chars ? chars : "";
    }
    if (size == 0) {
        *length = 0;
        return "";
    }
    switch (v.bits & TAG_MASK) {
    case TAG_INT: return put_int(imm_int(v), buffer, size, length);
    case TAG_BOOL: return put_text(imm_bool(v) ? "true" : "false", buffer, size, length);
    case TAG_CHAR: return put_char(imm_char(v), buffer, size, length);
    default: break;
    }
    if (v.bits == 0) return put_text("null", buffer, size, length);
    const ObjHeader* obj = as_obj(v);
    if (obj->type & T_ARRAY) return put_text("[array]", buffer, size, length);
    switch (obj->type) {
    case T_NIL: return put_text("null", buffer, size, length);
    case T_INT: return put_int(int64_t(obj->a), buffer, size, length);
    case T_CHAR: return put_char(uint32_t(obj->a), buffer, size, length);
    case T_BOOL: return put_text(obj->a ? "true" : "false", buffer, size, length);
    case T_FLOAT: return put_float(float_of(obj), buffer, size, length);
    case T_OBJECT: return put_text("[object]", buffer, size, length);
    case T_EXCEPTION: return put_text("[exception]", buffer, size, length);
    case T_FUNCTION: {
        auto name_of = type_ops(T_FUNCTION).name;
        Value name = name_of ? name_of(v) : kAbsent;
        if (is_absent(name) || name.bits == v.bits) return put_text("null", buffer, size, length);
        return value_text(name, buffer, size, length);
    }
    default: return put_text("[unknown]", buffer, size, length);
    }
}

bool string_can_append_in_place(Value target) {
    if (!is_string(target)) return false;
    const ObjHeader* s = as_obj(target);
    return s->ref_count == 1 && !(s->flags & (F_FROZEN | F_STATIC | F_INLINE_CHARS));
}

bool string_append_in_place(Value target, const char* bytes, size_t n) {
    if (!string_can_append_in_place(target)) return false;
    ObjHeader* s = as_obj(target);
    size_t old_length = string_length(s);
    if (n > kMaxStringLength - old_length) return false;
    if (n == 0) return true;
    size_t new_length = old_length + n;
    char* chars = string_chars(s);
    if (new_length + 1 > string_capacity(s)) {
        // Powers of two keep the capacity derivable from the length (see the top).
        size_t capacity = std::bit_ceil(std::max(new_length + 1, 2 * old_length));
        char* grown = static_cast<char*>(checked_alloc(capacity));
        if (!grown) return false;
        if (chars) std::memcpy(grown, chars, old_length);
        // `bytes` may point into the old buffer (s += s), so it is freed last.
        std::memcpy(grown + old_length, bytes, n);
        checked_free(chars);
        s->b = reinterpret_cast<uint64_t>(grown);
        s->flags |= F_SPARE_CAPACITY;
    } else {
        std::memmove(chars + old_length, bytes, n);
    }
    char* stored = string_chars(s);
    stored[new_length] = '\0';
    s->aux = uint32_t(new_length);
    string_mark_stale(s);
    return true;
}

bool string_append_int_in_place(Value target, int64_t n) {
    char digits[24];
    int count = std::snprintf(digits, sizeof digits, "%" PRId64, n);
    return string_append_in_place(target, digits, size_t(count));
}

}  // namespace tarvik
