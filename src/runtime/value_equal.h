// runtime/value_equal.h: helpers shared by deep equality (value_equal.cpp) and the
// comparison operator; runtime-internal.
#pragma once

#include <cstdint>

#include "runtime/value_ops.h"

namespace tarvik {

// Equal counts and items pairwise deep-equal; flat float items count as floats.
// The caller holds the nesting count (compare_depth_enter).
bool arrays_deep_equal(const ObjHeader* a, const ObjHeader* b);

// Opens one nested comparison on g_compare_depth. At kMaxCompareDepth it raises
// code 15 and returns false (nothing to close); otherwise pair it with
// compare_depth_leave.
bool compare_depth_enter();
inline void compare_depth_leave() { --g_compare_depth; }
// Counts the nesting failures, so that an ordering can tell that a nested one failed.
extern uint32_t g_compare_nesting_failures;

}  // namespace tarvik
