// runtime/value_equal.cpp: truthiness, the value hash and deep equality.
#include <bit>
#include <cstring>

#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"
#include "runtime/value_equal.h"
#include "runtime/value_ops.h"

namespace tarvik {

int g_compare_depth = 0;
uint32_t g_compare_nesting_failures = 0;

bool value_truthy(Value v) {
    switch (v.bits & TAG_MASK) {
    case TAG_INT: return imm_int(v) != 0;
    case TAG_BOOL: return imm_bool(v);
    case TAG_CHAR: return imm_char(v) != 0;
    default: break;
    }
    if (v.bits == 0) return false;
    const ObjHeader* obj = as_obj(v);
    if (obj->type & T_ARRAY) return array_count(obj) != 0;
    switch (obj->type) {
    case T_NIL: return false;
    case T_CHAR: return uint32_t(obj->a) != 0;
    case T_INT:
    case T_BOOL: return obj->a != 0;
    case T_FLOAT: return float_of(obj) != 0.0;
    // Emptiness is the length: a string that starts with a zero byte is not empty.
    case T_STRING: return string_length(obj) != 0;
    case T_OBJECT: {
        const PropertyMap* map = object_map(obj);
        return map && map->count != 0;
    }
    default: return true;
    }
}

uint64_t value_hash(Value v) {
    switch (v.bits & TAG_MASK) {
    case TAG_INT: return uint64_t(imm_int(v));
    case TAG_BOOL: return imm_bool(v) ? 1 : 0;
    case TAG_CHAR: return imm_char(v);
    default: break;
    }
    if (v.bits == 0) return 0;
    ObjHeader* obj = as_obj(v);
    if (obj->type & T_ARRAY) return v.bits;
    switch (obj->type) {
    case T_STRING: return string_hash(obj);
    case T_INT: return obj->a;
    case T_CHAR: return uint32_t(obj->a);
    case T_BOOL: return obj->a != 0 ? 1 : 0;
    case T_FLOAT: {
        double d = float_of(obj);
        return d == 0.0 ? 0 : obj->a;  // 0.0 and -0.0 are one key
    }
    case T_FUNCTION: {
        // Functions with the same name are one key; the engine knows the name.
        auto name_of = type_ops(T_FUNCTION).name;
        if (!name_of) return v.bits;
        Value name = name_of(v);
        return is_absent(name) ? 0 : value_hash(name);
    }
    default: return v.bits;
    }
}

namespace {

bool array_items_equal(const ObjHeader* a, const ObjHeader* b, uint32_t i) {
    bool flat_a = array_is_flat_float(a);
    bool flat_b = array_is_flat_float(b);
    if (!flat_a && !flat_b) return value_deep_equal(array_items(a)[i], array_items(b)[i]);
    if (flat_a && flat_b) return array_doubles(a)[i] == array_doubles(b)[i];
    // A flat item is a float: it equals only a float of the same value.
    double flat = flat_a ? array_doubles(a)[i] : array_doubles(b)[i];
    Value other = flat_a ? array_items(b)[i] : array_items(a)[i];
    return is_float(other) && float_of(as_obj(other)) == flat;
}

}  // namespace

bool compare_depth_enter() {
    if (g_compare_depth + 1 >= kMaxCompareDepth) {
        ++g_compare_nesting_failures;
        raise_nesting();
        return false;
    }
    ++g_compare_depth;
    return true;
}

bool arrays_deep_equal(const ObjHeader* a, const ObjHeader* b) {
    uint32_t count = array_count(a);
    if (count != array_count(b)) return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (!array_items_equal(a, b, i)) return false;
    }
    return true;
}

namespace {

bool maps_deep_equal(const PropertyMap* left, const PropertyMap* right) {
    uint32_t left_count = left ? left->count : 0;
    uint32_t right_count = right ? right->count : 0;
    if (left_count != right_count) return false;
    if (left_count == 0) return true;
    uint32_t cursor = 0;
    Value key, value;
    uint64_t hash;
    while (map_next(left, &cursor, &key, &value, &hash)) {
        Value other = map_get(right, hash);
        if (is_absent(other) || !value_deep_equal(value, other)) return false;
    }
    return true;
}

// Containers recurse; the shared counter keeps the native stack bounded.
bool deep_equal_nested(Value a, Value b, uint32_t type) {
    if (!compare_depth_enter()) return false;
    bool equal = false;
    ObjHeader* x = as_obj(a);
    ObjHeader* y = as_obj(b);
    if (type == T_ARRAY) {
        equal = arrays_deep_equal(x, y);
    } else if (type == T_OBJECT || type == T_EXCEPTION) {
        equal = maps_deep_equal(object_map(x), object_map(y));
    } else if (auto deep_equal = type_ops(type).deep_equal) {
        equal = deep_equal(a, b);
    }
    compare_depth_leave();
    return equal;
}

}  // namespace

bool value_deep_equal(Value a, Value b) {
    if (a.bits == b.bits) return true;
    if (a.bits == 0 || b.bits == 0) return false;
    uint32_t type = value_type(a);
    if (type != value_type(b)) return false;
    switch (type) {
    case T_NIL: return true;
    case T_CHAR:
    case T_INT:
    case T_BOOL: return value_to_int(a) == value_to_int(b);
    case T_FLOAT: return float_of(as_obj(a)) == float_of(as_obj(b));
    case T_STRING: return string_equal(as_obj(a), as_obj(b));
    case T_STREAM: return uint32_t(as_obj(a)->b) == uint32_t(as_obj(b)->b);
    case T_ARRAY:
    case T_OBJECT:
    case T_EXCEPTION: return deep_equal_nested(a, b, type);
    default:
        // Upper rooms may define equality for their types; otherwise identity.
        if (std::has_single_bit(type) && type < T_FREED && type_ops(type).deep_equal)
            return deep_equal_nested(a, b, type);
        return false;
    }
}

}  // namespace tarvik
