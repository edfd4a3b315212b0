// runtime/operators.h: the binary operator routine, comparison, cloning, the text of
// a value and in-place string append. The interpreter's own fast paths must give
// exactly these results.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

enum BinaryOp : int {
    OPR_ADD = 0,
    OPR_SUB = 1,
    OPR_MUL = 2,
    OPR_DIV = 3,
    OPR_MOD = 4,
    OPR_POW = 5,
    OPR_AND = 6,
    OPR_OR = 7,
    OPR_XOR = 8,
    OPR_SHL = 9,
    OPR_SHR = 10,
};
enum CompareOp : int {
    CMP_EQ = 0,
    CMP_NE = 1,
    CMP_LT = 2,
    CMP_GT = 3,
    CMP_LE = 4,
    CMP_GE = 5,
};

// "+", "-", ... for codes 0..10; "?" otherwise.
const char* binary_op_name(int code);

// Integer arithmetic of two 64-bit values with the wrap, division and shift rules.
// Division or remainder by zero raises 1 or 2 and sets *ok to false.
int64_t int_arith(int code, int64_t a, int64_t b, bool* ok);

// New value of `a op b` (operands borrowed); nil after raising.
Value binary_op(Value a, Value b, int code);
// a cmp b. Raises 15 past 1024 nested comparisons.
bool compare_values(Value a, Value b, int code);

// Independent copy (new reference): deep for data, shared for code; nil and a
// printed line for types that cannot be cloned; raises 15 past 512 levels.
Value clone_value(Value v);

// Text of a value: a string's own bytes, or text written into `buffer` (never longer
// than size - 1). *length receives the byte count.
const char* value_text(Value v, char* buffer, size_t size, size_t* length);

// In-place append to a string held alone (count 1, not frozen, static or inline).
// Returns false when the target does not qualify or would exceed 256 MiB.
bool string_append_in_place(Value target, const char* bytes, size_t n);
bool string_append_int_in_place(Value target, int64_t n);
// Whether string_append_in_place may be used on `target`.
bool string_can_append_in_place(Value target);

}  // namespace tarvik
