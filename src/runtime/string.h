// runtime/string.h: string values. Byte strings (UTF-8 by convention) of at most
// 256 MiB with a cached XXH64 hash. Up to 7 bytes live inline in payload b.
//
//   aux = length   a = hash (XXH64, seed 0)   b = bytes inline, or char* to len+1 bytes
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr uint32_t kMaxStringLength = 0x10000000;
constexpr uint32_t kInlineStringMax = 7;
constexpr uint64_t kEmptyStringHash = 0xEF46DB3751D8E999ull;

// XXH64 with seed 0: the name hash of globals, properties and members.
uint64_t hash_bytes(const void* data, size_t length);

inline uint32_t string_length(const ObjHeader* s) { return s->aux; }
inline char* string_chars(ObjHeader* s) {
    return (s->flags & F_INLINE_CHARS) ? reinterpret_cast<char*>(&s->b) : reinterpret_cast<char*>(s->b);
}
inline const char* string_chars(const ObjHeader* s) {
    return (s->flags & F_INLINE_CHARS) ? reinterpret_cast<const char*>(&s->b)
                                       : reinterpret_cast<const char*>(s->b);
}
// The cached hash, recomputed first when the string is hash-stale.
uint64_t string_hash_refresh(ObjHeader* s);
inline uint64_t string_hash(ObjHeader* s) { return (s->flags & F_HASH_STALE) ? string_hash_refresh(s) : s->a; }

// New string from a zero-terminated text (bounded as checked_strlen); nil for null.
Value make_string(const char* text);
// New string from bytes; the hash is computed. Over 256 MiB raises 6 and yields nil.
Value make_string_bytes(const char* bytes, size_t length);
// As make_string_bytes with a hash the caller already knows.
Value make_string_hashed(const char* bytes, size_t length, uint64_t hash);
// As make_string_bytes with the hash left to the first use (strings that are mostly
// only read, such as stack-trace lines).
Value make_string_unhashed(const char* bytes, size_t length);
// New string that takes over a buffer of length + 1 bytes from the checked wrappers
// (zero-terminated); the hash is computed. Short strings are moved inline.
Value make_string_adopt(char* buffer, size_t length);

// Marks a string whose bytes were changed in place.
inline void string_mark_stale(ObjHeader* s) { s->flags |= F_HASH_STALE; }

// Byte-wise equality (lengths, cached hashes when both are non-zero, bytes).
bool string_equal(ObjHeader* a, ObjHeader* b);

}  // namespace tarvik
