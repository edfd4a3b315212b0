// runtime/value_equal.h: helpers shared by deep equality (value_equal.cpp) and the
// comparison operator; runtime-internal.
#pragma once

#include <cstdint>

#include "runtime/string.h"
#include "runtime/value_ops.h"

namespace tarvik {

// A string's bytes; an empty text when a long string has no buffer.
inline const char* string_bytes(const ObjHeader* s) {
    const char* chars = string_chars(s);
    return chars ? chars : "";
}

// Byte equality; the cached hashes decide early only when both are fresh and non-zero.
bool string_bytes_equal(ObjHeader* a, ObjHeader* b);
// Deep equality of item i of two arrays that both hold more than i items; flat
// float items count as floats.
bool array_items_equal(const ObjHeader* a, const ObjHeader* b, uint32_t i);

// Opens one nested comparison on g_compare_depth. At kMaxCompareDepth it raises
// code 15 and returns false (nothing to close); otherwise pair it with
// compare_depth_leave.
bool compare_depth_enter();
inline void compare_depth_leave() { --g_compare_depth; }
// Counts the nesting failures, so that an ordering can tell that a nested one failed.
extern uint32_t g_compare_nesting_failures;

}  // namespace tarvik
