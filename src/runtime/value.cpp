// runtime/value.cpp: the static nil and empty-string objects, numeric boxes and the
// numeric accessors that accept both forms of int, bool and char.
#include "runtime/value.h"

#include <cmath>
#include <cstdlib>

#include "runtime/heap.h"
#include "runtime/string.h"

namespace tarvik {

ObjHeader g_nil_object{F_STATIC, 0, T_NIL, 0, 0, 0};
// Zero length, inline (payload b holds the terminating zero), hash of the empty input.
ObjHeader g_empty_string{F_STATIC | F_INLINE_CHARS, 0, T_STRING, 0, kEmptyStringHash, 0};

Value make_heap_int(int64_t n) {
    ObjHeader* obj = heap_alloc();
    obj->type = T_INT;
    obj->aux = 0;
    obj->a = uint64_t(n);
    obj->b = 0;
    return make_ref(obj);
}

Value make_float(double d) {
    ObjHeader* obj = heap_alloc();
    obj->type = T_FLOAT;
    obj->aux = 0;
    std::memcpy(&obj->a, &d, sizeof d);
    obj->b = 0;
    return make_ref(obj);
}

int64_t double_to_int(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 9223372036854775808.0) return INT64_MAX;
    if (d < -9223372036854775808.0) return INT64_MIN;
    return int64_t(d);
}

int64_t value_to_int(Value v) {
    switch (v.bits & TAG_MASK) {
    case TAG_INT: return imm_int(v);
    case TAG_CHAR: return imm_char(v);
    case TAG_BOOL: return int64_t(int32_t(uint32_t(v.bits >> 2)));
    default: break;
    }
    if (v.bits == 0) return 0;
    const ObjHeader* obj = as_obj(v);
    switch (obj->type) {
    case T_INT: return int64_t(obj->a);
    case T_CHAR: return int64_t(uint32_t(obj->a));
    case T_BOOL: return int64_t(obj->a);
    case T_FLOAT: return double_to_int(float_of(obj));
    default: return 0;
    }
}

int64_t value_to_int_or_parse(Value v) {
    // strtoll is what atoll means, with its out-of-range result defined (it clamps).
    if (is_string(v)) return std::strtoll(string_chars(as_obj(v)), nullptr, 10);
    return value_to_int(v);
}

double value_to_double(Value v) {
    if (is_ref(v)) {
        const ObjHeader* obj = as_obj(v);
        switch (obj->type) {
        case T_FLOAT: return float_of(obj);
        case T_INT: return double(int64_t(obj->a));
        case T_CHAR: return double(uint32_t(obj->a));
        case T_BOOL: return double(int64_t(obj->a));
        default: return 0.0;
        }
    }
    if (v.bits == 0) return 0.0;
    return double(value_to_int(v));
}

}  // namespace tarvik
