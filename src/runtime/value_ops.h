// runtime/value_ops.h: truthiness, the value hash, deep equality, type names and
// mask descriptions, debug rendering and the debug dump.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

bool value_truthy(Value v);
// Key of a value in property maps and hash-keyed collections.
uint64_t value_hash(Value v);
// Deep equality; raises 15 and answers false past 1024 nested levels.
bool value_deep_equal(Value a, Value b);
// Nesting counter shared by deep equality and comparison.
extern int g_compare_depth;
constexpr int kMaxCompareDepth = 1024;

// Name of the value's normalised type ("int", "string", ...; "<unknown>").
const char* type_name_of(Value v);
// Name of a single-bit type word (after normalisation); "<unknown>" otherwise.
const char* type_name_of_mask(uint32_t type_word);
// Description of a type set ("int|float", "[int]", "any", "none") into out[size].
void describe_type_mask(uint32_t mask, char* out, size_t size);

// Debug rendering to standard output, no newline.
void value_render(Value v);
// One "DBG-VAL: ..." line about one value.
void value_debug_dump(Value v);
// Rendering with "R:%d " reference counts, as under --trace; restores the setting.
void value_debug_dump_traced(Value v);

}  // namespace tarvik
