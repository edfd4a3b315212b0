// runtime/string.cpp: making string values, their cached XXH64 hash and byte equality.
#include "runtime/string.h"

#include <xxhash.h>

#include <cstring>

#include "runtime/alloc.h"
#include "runtime/errors.h"
#include "runtime/heap.h"

namespace tarvik {

uint64_t hash_bytes(const void* data, size_t length) { return XXH64(data, length, 0); }

uint64_t string_hash_refresh(ObjHeader* s) {
    s->a = hash_bytes(string_chars(s), s->aux);
    s->flags &= ~F_HASH_STALE;
    return s->a;
}

// A short string keeps its bytes and the terminating zero inside payload b.
static Value new_inline_string(const char* bytes, size_t length, uint64_t hash) {
    ObjHeader* o = heap_alloc();
    o->flags |= F_INLINE_CHARS;
    o->type = T_STRING;
    o->aux = uint32_t(length);
    o->a = hash;
    o->b = 0;
    std::memcpy(&o->b, bytes, length);
    return make_ref(o);
}

// Takes over `buffer` (length + 1 bytes, zero-terminated).
static Value new_buffered_string(char* buffer, size_t length, uint64_t hash) {
    ObjHeader* o = heap_alloc();
    o->type = T_STRING;
    o->aux = uint32_t(length);
    o->a = hash;
    o->b = reinterpret_cast<uint64_t>(buffer);
    return make_ref(o);
}

Value make_string_hashed(const char* bytes, size_t length, uint64_t hash) {
    if (length > kMaxStringLength) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    if (length == 0) return empty_string_value();
    if (!bytes) return nil_value();
    if (length <= kInlineStringMax) return new_inline_string(bytes, length, hash);
    // checked_alloc zeroes, so the terminator is already in place.
    char* buffer = static_cast<char*>(checked_alloc(length + 1));
    if (!buffer) return nil_value();
    std::memcpy(buffer, bytes, length);
    return new_buffered_string(buffer, length, hash);
}

Value make_string_bytes(const char* bytes, size_t length) {
    // Only bytes that will be stored are hashed; make_string_hashed turns the rest away.
    bool storable = bytes && length > 0 && length <= kMaxStringLength;
    return make_string_hashed(bytes, length, storable ? hash_bytes(bytes, length) : 0);
}

Value make_string_unhashed(const char* bytes, size_t length) {
    Value v = make_string_hashed(bytes, length, 0);
    if (is_ref_of(v, T_STRING) && !(as_obj(v)->flags & F_STATIC)) string_mark_stale(as_obj(v));
    return v;
}

Value make_string(const char* text) {
    if (!text) return nil_value();
    return make_string_bytes(text, checked_strlen(text));
}

Value make_string_adopt(char* buffer, size_t length) {
    if (!buffer) return length == 0 ? empty_string_value() : nil_value();
    if (length > kMaxStringLength) {
        checked_free(buffer);
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    if (length <= kInlineStringMax) {
        Value v = length == 0 ? empty_string_value()
                              : new_inline_string(buffer, length, hash_bytes(buffer, length));
        checked_free(buffer);
        return v;
    }
    buffer[length] = '\0';
    return new_buffered_string(buffer, length, hash_bytes(buffer, length));
}

bool string_equal(ObjHeader* a, ObjHeader* b) {
    if (a == b) return true;
    if (a->aux != b->aux) return false;
    // A stale hash says nothing about the bytes; the comparison below decides then.
    if (!((a->flags | b->flags) & F_HASH_STALE) && a->a != 0 && b->a != 0 && a->a != b->a) return false;
    return std::memcmp(string_chars(a), string_chars(b), a->aux) == 0;
}

}  // namespace tarvik
