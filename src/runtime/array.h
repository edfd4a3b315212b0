// runtime/array.h: arrays. Plain arrays hold values; a typed array carries element
// bits in its type word (0x48: ints only); a flat float array holds raw doubles.
//
//   aux = count   low 32 bits of a = capacity   b = Value* (or double*) items
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

constexpr uint32_t kMaxArrayItems = 10000000;
constexpr int64_t kMaxArrayCapacityRequest = 0x10000000;

inline uint32_t array_count(const ObjHeader* a) { return a->aux; }
inline uint32_t array_capacity(const ObjHeader* a) { return uint32_t(a->a); }
inline Value* array_items(const ObjHeader* a) { return reinterpret_cast<Value*>(a->b); }
inline double* array_doubles(const ObjHeader* a) { return reinterpret_cast<double*>(a->b); }
inline bool array_is_flat_float(const ObjHeader* a) { return (a->flags & F_FLAT_FLOAT) != 0; }
// Element-type bits of a typed array (0 for an untyped one).
inline uint32_t array_element_bits(const ObjHeader* a) { return a->type & ~T_ARRAY; }

// New empty array (type T_ARRAY). Capacity 0 allocates nothing; a negative capacity
// or one of 0x10000000 or more raises 6 and leaves the storage empty.
Value make_array(int64_t capacity);
// New empty flat float array.
Value make_flat_float_array(int64_t capacity);

// Grows the storage to min(n, 10,000,000) slots, zero-filled; never shrinks.
// Returns false after raising.
bool array_ensure_capacity(ObjHeader* array, uint32_t n);

// Appends `value`. With borrowed the array retains it; otherwise it takes over the
// caller's reference. Numeric boxes are copied, never shared. Raises 10 past
// 10,000,000 items and 22 for a flat float array given a non-number.
void array_append(Value array, Value value, bool borrowed);

// Item i of an array as a new reference (flat float items become new floats).
// The caller has checked 0 <= i < count.
Value array_get(const ObjHeader* array, uint32_t i);

// The stored form of a value for a container slot: numeric boxes are copied (the
// passed reference is released), the absent value stays absent. Takes over `value`.
Value container_store_form(Value value);
// True when container_store_form would replace the value by a copy: a number box
// that someone else holds too, or a static one.
bool container_store_copies(Value value);

}  // namespace tarvik
