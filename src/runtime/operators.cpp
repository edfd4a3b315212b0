// runtime/operators.cpp: the binary operator routine and comparison, the meaning
// behind the interpreter's arithmetic, bitwise, concatenation and compare
// instructions.
#include "runtime/operators.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/alloc.h"
#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/utf8.h"
#include "runtime/value_equal.h"
#include "runtime/value_ops.h"

namespace tarvik {

namespace {

constexpr const char* kOperatorNames[] = {"+", "-", "*", "/", "%", "^^", "&", "|", "^", "<<", ">>"};
constexpr int kOperatorCount = int(std::size(kOperatorNames));
// Text of a non-string operand of concatenation fits this buffer.
constexpr size_t kConcatTextBuffer = 24;
constexpr size_t kConcatLimit = 0x7FFFFFFF;

// pow in doubles, then truncated into int64 (NaN gives 0, out of range clamps).
int64_t int_power(int64_t a, int64_t b) { return double_to_int(std::pow(double(a), double(b))); }

// The arithmetic itself; add, subtract, multiply and left shift wrap through
// unsigned arithmetic so that overflow stays defined.
inline int64_t arith(int code, int64_t a, int64_t b, bool* ok) {
    switch (code) {
    case OPR_ADD: return int64_t(uint64_t(a) + uint64_t(b));
    case OPR_SUB: return int64_t(uint64_t(a) - uint64_t(b));
    case OPR_MUL: return int64_t(uint64_t(a) * uint64_t(b));
    case OPR_DIV:
        if (b == 0) {
            raise_div_by_zero();
            *ok = false;
            return 0;
        }
        return b == -1 ? int64_t(0 - uint64_t(a)) : a / b;  // INT64_MIN / -1 stays INT64_MIN
    case OPR_MOD:
        if (b == 0) {
            raise_mod_by_zero();
            *ok = false;
            return 0;
        }
        return b == -1 ? 0 : a % b;
    case OPR_POW: return int_power(a, b);
    case OPR_AND: return a & b;
    case OPR_OR: return a | b;
    case OPR_XOR: return a ^ b;
    case OPR_SHL: return int64_t(uint64_t(a) << (b & 63));
    case OPR_SHR: return a >> (b & 63);
    default:
        raise_errorf(ERR_INVALID_ARGUMENTS, "Operator '%s' is not supported between %s and %s",
                     binary_op_name(code), "int", "int");
        *ok = false;
        return 0;
    }
}

Value float_arith(int code, double a, double b) {
    switch (code) {
    case OPR_ADD: return make_float(a + b);
    case OPR_SUB: return make_float(a - b);
    case OPR_MUL: return make_float(a * b);
    case OPR_DIV:
        if (b == 0.0) {
            raise_div_by_zero();
            return nil_value();
        }
        return make_float(a / b);
    case OPR_MOD:
        if (b == 0.0) {
            raise_mod_by_zero();
            return nil_value();
        }
        return make_float(std::fmod(a, b));
    default: return make_float(std::pow(a, b));
    }
}

Value char_pair_string(Value a, Value b) {
    char bytes[8];
    int n = utf8_encode(uint32_t(value_to_int(a)), bytes);
    n += utf8_encode(uint32_t(value_to_int(b)), bytes + n);
    return make_string_bytes(bytes, size_t(n));
}

// A clone of a with b's entries set over it (b wins).
Value object_merge(Value a, Value b) {
    Value merged = clone_value(a);
    if (!is_ref_of(merged, T_OBJECT)) return merged;
    PropertyMap* target = object_map(as_obj(merged));
    const PropertyMap* source = object_map(as_obj(b));
    uint32_t cursor = 0;
    Value key, value;
    uint64_t hash;
    while (source && map_next(source, &cursor, &key, &value, &hash)) {
        if (is_absent(key) || is_absent(value)) continue;
        retain(key);
        retain(value);
        map_set(target, key, hash, container_store_form(value), /*owning=*/true);
    }
    return merged;
}

// A clone of a with b's items appended, or b itself when it is not an array.
Value array_concat(Value a, Value b) {
    Value joined = clone_value(a);
    if (!is_array(joined)) return joined;
    if (!is_array(b)) {
        array_append(joined, b, /*borrowed=*/true);
    } else {
        const ObjHeader* source = as_obj(b);
        // b may be a itself; the clone is a separate object, so appending never makes
        // the loop longer. The count is read again each step: appending allocates, and
        // a destructor run by a reused slot may have shortened b.
        uint32_t count = array_count(source);
        for (uint32_t i = 0; i < count && i < array_count(source) && !error_pending(); ++i) {
            if (array_is_flat_float(source)) {
                array_append(joined, array_get(source, i), /*borrowed=*/false);
            } else {
                array_append(joined, array_items(source)[i], /*borrowed=*/true);
            }
        }
    }
    if (error_pending()) {
        release(joined);
        return nil_value();
    }
    return joined;
}

// The text of a followed by the text of b, as a new string.
Value concatenate(Value a, Value b) {
    char buffer_a[kConcatTextBuffer];
    char buffer_b[kConcatTextBuffer];
    size_t length_a = 0;
    size_t length_b = 0;
    const char* text_a = value_text(a, buffer_a, sizeof buffer_a, &length_a);
    const char* text_b = value_text(b, buffer_b, sizeof buffer_b, &length_b);
    size_t total = length_a + length_b;
    if (total >= kConcatLimit) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    if (total <= kInlineStringMax) {
        char bytes[kInlineStringMax];
        if (length_a) std::memcpy(bytes, text_a, length_a);
        if (length_b) std::memcpy(bytes + length_a, text_b, length_b);
        return make_string_bytes(bytes, total);
    }
    if (total > kMaxStringLength) {
        raise_error(ERR_RUNTIME);
        return nil_value();
    }
    // One copy: the bytes are joined straight into the buffer the string adopts.
    char* joined = static_cast<char*>(checked_alloc(total + 1));
    if (!joined) return nil_value();
    std::memcpy(joined, text_a, length_a);
    std::memcpy(joined + length_a, text_b, length_b);
    return make_string_adopt(joined, total);
}

Value binary_op_slow(Value a, Value b, int code) {
    uint32_t type_a = value_type(a);
    uint32_t type_b = value_type(b);
    if (code == OPR_ADD) {
        if (type_a == T_CHAR && type_b == T_CHAR) return char_pair_string(a, b);
        if (type_a == T_OBJECT && type_b == T_OBJECT) return object_merge(a, b);
        if (type_a == T_ARRAY) return array_concat(a, b);
    }
    bool known = code >= 0 && code < kOperatorCount;
    if (known && is_integral(a) && is_integral(b)) {
        bool ok = true;
        int64_t r = arith(code, value_to_int(a), value_to_int(b), &ok);
        return ok ? make_int(r) : nil_value();
    }
    if (code >= OPR_AND && code <= OPR_SHR) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "Operator '%s' requires integer operands (got %s and %s)",
                     binary_op_name(code), type_name_of(a), type_name_of(b));
        return nil_value();
    }
    if (known && is_numeric(a) && is_numeric(b)) return float_arith(code, value_to_double(a), value_to_double(b));
    if (code == OPR_ADD) return concatenate(a, b);
    raise_errorf(ERR_INVALID_ARGUMENTS, "Operator '%s' is not supported between %s and %s", binary_op_name(code),
                 type_name_of(a), type_name_of(b));
    return nil_value();
}

// -1, 0 or 1 as x is less than, equal to or greater than y; 0 also when the two are
// unordered (NaN).
template <typename T>
int three_way(T x, T y) {
    return x < y ? -1 : (x > y ? 1 : 0);
}

// Three-way comparison result turned into the answer for an ordering code.
bool ordering_answer(int order, int code) {
    switch (code) {
    case CMP_EQ: return order == 0;
    case CMP_NE: return order != 0;
    case CMP_LT: return order < 0;
    case CMP_GT: return order > 0;
    case CMP_LE: return order <= 0;
    case CMP_GE: return order >= 0;
    default: return false;
    }
}

// A string's bytes; an empty text when a long string has no buffer.
const char* string_bytes(const ObjHeader* s) {
    const char* chars = string_chars(s);
    return chars ? chars : "";
}

int string_order(const ObjHeader* a, const ObjHeader* b) {
    uint32_t length_a = string_length(a);
    uint32_t length_b = string_length(b);
    uint32_t common = std::min(length_a, length_b);
    int order = common ? std::memcmp(string_bytes(a), string_bytes(b), common) : 0;
    return order != 0 ? order : three_way(length_a, length_b);
}

// The bytes over the shorter byte length, then the byte lengths.
int block_order(const ObjHeader* a, const ObjHeader* b) {
    uint64_t bytes_a = uint64_t(block_count(a)) * block_width(a);
    uint64_t bytes_b = uint64_t(block_count(b)) * block_width(b);
    uint64_t common = std::min(bytes_a, bytes_b);
    int order = common ? std::memcmp(block_bytes(a), block_bytes(b), common) : 0;
    return order != 0 ? order : three_way(bytes_a, bytes_b);
}

int value_order(Value a, Value b);

// -1 when item i of x is less than item j of y (by compare with code less), 1 when
// it is greater, 0 when neither. A flat item is a float, so it orders only against
// numbers, as doubles.
int array_item_order(const ObjHeader* x, uint32_t i, const ObjHeader* y, uint32_t j) {
    bool flat_x = array_is_flat_float(x);
    bool flat_y = array_is_flat_float(y);
    if (!flat_x && !flat_y) return value_order(array_items(x)[i], array_items(y)[j]);
    if (!flat_x && !is_numeric(array_items(x)[i])) return 0;
    if (!flat_y && !is_numeric(array_items(y)[j])) return 0;
    double u = flat_x ? array_doubles(x)[i] : value_to_double(array_items(x)[i]);
    double v = flat_y ? array_doubles(y)[j] : value_to_double(array_items(y)[j]);
    return three_way(u, v);
}

// Lexicographic: the first position whose items are ordered decides, then the counts.
// One three-way comparison per position, rather than "less" tried both ways, keeps
// equal nested arrays linear in their depth instead of doubling the work per level.
// After a nesting failure every level stops at once.
int array_order(const ObjHeader* a, const ObjHeader* b) {
    uint32_t count_a = array_count(a);
    uint32_t count_b = array_count(b);
    uint32_t common = std::min(count_a, count_b);
    uint32_t failures = g_compare_nesting_failures;
    for (uint32_t i = 0; i < common; ++i) {
        int order = array_item_order(a, i, b, i);
        if (g_compare_nesting_failures != failures) return 0;
        if (order != 0) return order;
    }
    return three_way(count_a, count_b);
}

// array_order inside the shared nesting count; 0 after a nesting failure.
int nested_array_order(const ObjHeader* a, const ObjHeader* b) {
    if (!compare_depth_enter()) return 0;
    int order = array_order(a, b);
    compare_depth_leave();
    return order;
}

// The order that compare's "less" and "greater" see: 0 for equal values and for
// values without an order between them (NaN, different types, unordered types).
int value_order(Value a, Value b) {
    if (a.bits == b.bits) return 0;
    if (is_numeric(a) && is_numeric(b)) {
        if (!is_float(a) && !is_float(b)) return three_way(value_to_int(a), value_to_int(b));
        return three_way(value_to_double(a), value_to_double(b));
    }
    uint32_t type = value_type(a);
    if (type != value_type(b)) return 0;
    switch (type) {
    case T_STRING: return string_order(as_obj(a), as_obj(b));
    case T_ARRAY: return nested_array_order(as_obj(a), as_obj(b));
    case T_BLOCK: return block_order(as_obj(a), as_obj(b));
    default: return 0;
    }
}

bool compare_arrays(const ObjHeader* a, const ObjHeader* b, int code) {
    if (code == CMP_EQ || code == CMP_NE) {
        if (!compare_depth_enter()) return false;
        bool equal = arrays_deep_equal(a, b);
        compare_depth_leave();
        return equal == (code == CMP_EQ);
    }
    uint32_t failures = g_compare_nesting_failures;
    int order = nested_array_order(a, b);
    return g_compare_nesting_failures == failures && ordering_answer(order, code);
}

bool compare_blocks(const ObjHeader* a, const ObjHeader* b, int code) {
    if (code == CMP_EQ || code == CMP_NE) {
        bool equal = block_count(a) == block_count(b) && block_width(a) == block_width(b) && block_order(a, b) == 0;
        return equal == (code == CMP_EQ);
    }
    return ordering_answer(block_order(a, b), code);
}

bool compare_slow(Value a, Value b, int code) {
    if (is_numeric(a) && is_numeric(b)) {
        if (!is_float(a) && !is_float(b)) return ordering_answer(three_way(value_to_int(a), value_to_int(b)), code);
        double x = value_to_double(a);
        double y = value_to_double(b);
        // With NaN every ordering is false and only "not equal" holds.
        if (x != x || y != y) return code == CMP_NE;
        return ordering_answer(three_way(x, y), code);
    }
    uint32_t type = value_type(a);
    if (type != value_type(b)) return code == CMP_NE;
    switch (type) {
    case T_STRING:
        if (code == CMP_EQ || code == CMP_NE)
            return string_equal(as_obj(a), as_obj(b)) == (code == CMP_EQ);
        return ordering_answer(string_order(as_obj(a), as_obj(b)), code);
    case T_ARRAY: return compare_arrays(as_obj(a), as_obj(b), code);
    case T_BLOCK: return compare_blocks(as_obj(a), as_obj(b), code);
    default: return code == CMP_NE;  // distinct values of any other type are unequal
    }
}

}  // namespace

const char* binary_op_name(int code) { return code >= 0 && code < kOperatorCount ? kOperatorNames[code] : "?"; }

int64_t int_arith(int code, int64_t a, int64_t b, bool* ok) {
    *ok = true;
    return arith(code, a, b, ok);
}

Value binary_op(Value a, Value b, int code) {
    // Two immediate ints: no allocation unless the result leaves the immediate range.
    if ((((a.bits ^ TAG_INT) | (b.bits ^ TAG_INT)) & TAG_MASK) == 0) {
        bool ok = true;
        int64_t r = arith(code, imm_int(a), imm_int(b), &ok);
        return ok ? make_int(r) : nil_value();
    }
    return binary_op_slow(a, b, code);
}

bool compare_values(Value a, Value b, int code) {
    if (a.bits == b.bits) return code == CMP_EQ || code == CMP_LE || code == CMP_GE;
    if ((((a.bits ^ TAG_INT) | (b.bits ^ TAG_INT)) & TAG_MASK) == 0) {
        return ordering_answer(three_way(imm_int(a), imm_int(b)), code);
    }
    return compare_slow(a, b, code);
}

}  // namespace tarvik
