// engine/interp_ops.h: value-level work of the instructions that are not on the
// interpreter's hot path. Each routine borrows its operands, returns a new
// reference (nil after raising into the current fiber) and never touches the value
// stack, so the interpreter stays the only owner of stack discipline.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

struct CallFrame;

// OP_NEG: int or float negation (INT64_MIN stays itself); code 3 "Cannot negate
// non-numeric value (got %s)" otherwise.
Value op_negate(Value v);
// OP_BIT_NOT: complement of an integral value; code 3 otherwise.
Value op_bit_not(Value v);
// OP_INC_LOCAL / OP_DEC_LOCAL value step (+1 / -1); code 3 with the increment or
// decrement message for non-numbers.
Value op_step(Value v, int delta);
// OP_APPROX_EQ.
bool op_approx_equal(Value a, Value b);
// OP_CONTAINS: container first, probe second.
bool op_contains(Value container, Value probe);
// OP_LEN.
int64_t op_length(Value v);
// OP_REPR: the debug text as a new string.
Value op_repr(Value v);
// OP_TO_INT / OP_TO_FLOAT / OP_TO_STRING and OP_TO_I8..OP_TO_U32 (opcode given).
Value op_to_int(Value v);
Value op_to_float(Value v);
Value op_to_string(Value v);
Value op_to_width(Value v, uint8_t opcode);
// OP_CONCAT / CONCAT_N: the text forms of values[0..n) joined, as a new string.
Value op_concat(const Value* values, int n);

// OP_BUILD_OBJECT: n (key, value) pairs in push order; keys must be strings.
Value op_build_object(const Value* pairs, int n);
// OP_BUILD_ARRAY: n values in push order; kind 4 makes a typed float array.
Value op_build_array(const Value* items, int n, uint16_t kind);

// Property read of `name` (its hash given) on any receiver, as OP_GET_PROPERTY
// defines it; a method found on an instance comes back bound; nil when missing.
// Raises 21 for an instance method read through its class.
Value op_get_property(Value target, Value name, uint64_t hash);
// Property write (the container keeps its own reference to the value). Raises 24
// for an undeclared instance field, 19 for a frozen target, 0 for a non-object.
void op_set_property(Value target, Value name, uint64_t hash, Value value);

// One FOREACH step over L[collection]; writes the value, key and cursor slots
// through the frame's store rule (0xFF: no slot). Returns true when the end was
// reached; a collection that is not an array, string or object raises code 3 and
// answers false with nothing stored.
bool op_foreach_step(CallFrame* frame, uint8_t value_slot, uint8_t key_slot, uint8_t collection_slot,
                     uint8_t cursor_slot);

// Stores into a frame slot by the store rule: heap numbers are copied, the old
// value released, live_locals raised. Takes over `value`.
void frame_store(CallFrame* frame, uint8_t slot, Value value);

}  // namespace tarvik
