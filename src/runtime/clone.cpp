// runtime/clone.cpp: independent copies of values: deep for data, shared for code.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime/array.h"
#include "runtime/errors.h"
#include "runtime/operators.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"

namespace tarvik {

namespace {

constexpr int kMaxCloneDepth = 512;
int g_clone_depth = 0;

// Container contents keep the absent value (an unset slot, a key set by hash
// alone) as absent rather than turning it into nil.
Value clone_slot(Value v) { return is_absent(v) ? v : clone_value(v); }

Value clone_object(const ObjHeader* source) {
    Value copy = make_object();
    PropertyMap* target = object_map(as_obj(copy));
    const PropertyMap* map = object_map(source);
    uint32_t cursor = 0;
    Value key, value;
    uint64_t hash;
    while (map && target && map_next(map, &cursor, &key, &value, &hash)) {
        Value value_copy = clone_slot(value);
        if (error_pending()) {
            release(value_copy);
            release(copy);
            return nil_value();
        }
        map_set(target, clone_slot(key), hash, value_copy, /*owning=*/true);
    }
    return copy;
}

Value clone_array(const ObjHeader* source) {
    uint32_t count = array_count(source);
    if (array_is_flat_float(source)) {
        Value copy = make_flat_float_array(std::max<uint32_t>(count, 1));
        ObjHeader* target = as_obj(copy);
        if (count > 0 && !array_doubles(target)) {
            release(copy);
            return nil_value();
        }
        if (count > 0) std::memcpy(array_doubles(target), array_doubles(source), size_t(count) * sizeof(double));
        target->type = source->type;
        target->aux = count;
        return copy;
    }
    Value copy = make_array(count);
    ObjHeader* target = as_obj(copy);
    target->type = source->type;  // a typed array stays typed
    if (count > 0 && !array_items(target)) {
        release(copy);
        return nil_value();
    }
    // Items are stored directly: each clone is already a fresh, unshared box. The
    // source count is read again each step: cloning allocates, and a destructor run
    // by a reused slot may have shortened the source.
    for (uint32_t i = 0; i < count && i < array_count(source); ++i) {
        Value item = clone_slot(array_items(source)[i]);
        if (error_pending()) {
            release(item);
            release(copy);
            return nil_value();
        }
        array_items(target)[i] = item;
        target->aux = i + 1;
    }
    return copy;
}

// Values that contain other values; they count toward the depth limit.
Value clone_nested(Value v, uint32_t type) {
    if (g_clone_depth >= kMaxCloneDepth) {
        // The counter is not zeroed here: every open level lowers it as it unwinds,
        // so it is back at zero when the outermost call returns.
        raise_nesting();
        return nil_value();
    }
    ++g_clone_depth;
    Value copy;
    if (type == T_ARRAY) {
        copy = clone_array(as_obj(v));
    } else if (type == T_OBJECT) {
        copy = clone_object(as_obj(v));
    } else {
        copy = type_ops(T_CLASS).clone(v);
    }
    --g_clone_depth;
    return copy;
}

Value clone_unsupported(const ObjHeader* obj) {
    std::printf("clone_object: unknown or unsupported type %d\n", int(obj->type));
    return nil_value();
}

}  // namespace

Value clone_value(Value v) {
    switch (v.bits & TAG_MASK) {
    case TAG_INT:
    case TAG_BOOL:
    case TAG_CHAR: return v;
    default: break;
    }
    if (v.bits == 0) return nil_value();
    ObjHeader* obj = as_obj(v);
    if (obj->type & T_ARRAY) return clone_nested(v, T_ARRAY);
    switch (obj->type) {
    case T_NIL: return nil_value();
    case T_CHAR: return make_char(uint32_t(obj->a));
    case T_BOOL: return make_bool(obj->a != 0);
    case T_INT: return make_int(int64_t(obj->a));
    case T_FLOAT: return make_float(float_of(obj));
    case T_STRING: {
        const char* chars = string_chars(obj);
        uint32_t length = chars ? string_length(obj) : 0;
        return make_string_hashed(chars, length, string_hash(obj));
    }
    case T_OBJECT: return clone_nested(v, T_OBJECT);
    case T_FUNCTION:
    case T_BUILTIN:
    case T_MODULE:
    case T_EXCEPTION:
        retain(v);
        return v;
    case T_CLASS:
        if (type_ops(T_CLASS).clone) return clone_nested(v, T_CLASS);
        return clone_unsupported(obj);
    default: return clone_unsupported(obj);
    }
}

}  // namespace tarvik
