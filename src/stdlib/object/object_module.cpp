// stdlib/object/object_module.cpp: the Object module, inspection, building objects
// from arrays, callback members and freezing. Members walk a property map in slot
// order; instance and class fields come through the engine's field access.
#include <cstring>

#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/class_record.h"
#include "runtime/errors.h"
#include "runtime/operators.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

bool is_object(Value v) { return is_ref_of(v, T_OBJECT); }
bool is_class_or_instance(Value v) { return is_ref_of(v, T_CLASS) || is_ref_of(v, T_INSTANCE); }
PropertyMap* map_of(Value object) { return object_map(as_obj(object)); }

// Frozen targets of the changing members raise 19 and answer false.
bool refuse_frozen(Value object) {
    if (!(as_obj(object)->flags & F_FROZEN)) return false;
    raise_error(ERR_CONST_ASSIGN, "Invalid assignment of const-object");
    return true;
}

// The object's map, made on first need (an object may have none).
PropertyMap* ensure_map(Value object) {
    ObjHeader* obj = as_obj(object);
    if (!obj->a) {
        PropertyMap* map = map_create();
        if (!map) return nullptr;
        obj->a = reinterpret_cast<uint64_t>(map);
    }
    return object_map(obj);
}

// Stores key/value (both borrowed) into a fresh object's map.
void put(Value object, Value key, uint64_t hash, Value value) {
    retain(key);
    retain(value);
    map_set(map_of(object), key, hash, container_store_form(value), /*owning=*/true);
}

// A string value for the text of a value (new reference); strings are shared.
Value text_value(Value v) {
    if (is_absent(v)) return empty_string_value();
    if (is_string(v)) {
        retain(v);
        return v;
    }
    char buffer[256];
    size_t length = 0;
    const char* text = value_text(v, buffer, sizeof buffer, &length);
    return make_string_bytes(text, length);
}

// A new object to be filled; nil after raising.
Value new_object(uint32_t expected = 0) {
    Value object = make_object();
    if (is_object(object) && expected && !map_reserve(map_of(object), expected)) {
        release(object);
        raise_error(ERR_SIZE_LIMIT);
        return nil_value();
    }
    return object;
}

// Drops what a member built and answers nil (after a raise or a raising callback).
Value abandon(Value built) {
    release(built);
    return nil_value();
}

// ---- inspection -----------------------------------------------------------

enum class Listing { Keys, Values, Entries };

Value entry_pair(Value key, Value value) {
    Value pair = make_array(2);
    array_append(pair, is_absent(key) ? nil_value() : key, /*borrowed=*/true);
    array_append(pair, is_absent(value) ? nil_value() : value, /*borrowed=*/true);
    return pair;
}

void list_one(Value out, Listing listing, Value key, Value value) {
    if (listing == Listing::Keys) {
        array_append(out, is_string(key) ? key : nil_value(), /*borrowed=*/true);
    } else if (listing == Listing::Values) {
        array_append(out, is_absent(value) ? nil_value() : value, /*borrowed=*/true);
    } else {
        array_append(out, entry_pair(is_string(key) ? key : nil_value(), value), /*borrowed=*/false);
    }
}

Value list_members(Value target, Listing listing) {
    if (is_object(target)) {
        const PropertyMap* map = map_of(target);
        Value out = make_array(map ? map->count : 0);
        uint32_t cursor = 0;
        Value key, value;
        while (map && map_next(map, &cursor, &key, &value, nullptr)) list_one(out, listing, key, value);
        return out;
    }
    const ClassFieldAccess* access = class_field_access();
    if (!is_class_or_instance(target) || !access) return nil_value();
    int count = access->count(target);
    if (count < 0) return nil_value();
    Value out = make_array(count);
    for (int i = 0; i < count; ++i) {
        Value name = kAbsent, value = kAbsent;
        access->field(target, uint32_t(i), &name, &value);
        list_one(out, listing, name, value);
    }
    return out;
}

Value object_keys(Value* args, int) { return list_members(args[0], Listing::Keys); }
Value object_values(Value* args, int) { return list_members(args[0], Listing::Values); }
Value object_entries(Value* args, int) { return list_members(args[0], Listing::Entries); }

Value object_count(Value* args, int) {
    Value target = args[0];
    if (is_object(target)) return make_int(map_of(target) ? map_of(target)->count : 0);
    const ClassFieldAccess* access = class_field_access();
    if (!is_class_or_instance(target) || !access) return make_int(0);
    int count = access->count(target);
    return count < 0 ? nil_value() : make_int(count);
}

// The member's value (borrowed) or absent; absent for a non-object or a non-string key.
Value lookup(Value object, Value key) {
    if (!is_object(object) || !is_string(key) || !map_of(object)) return kAbsent;
    return map_get(map_of(object), string_hash(as_obj(key)));
}

Value object_has_key(Value* args, int) { return make_bool(!is_absent(lookup(args[0], args[1]))); }

Value object_try_get(Value* args, int) {
    Value found = lookup(args[0], args[1]);
    if (is_absent(found)) found = args[2];
    if (is_absent(found)) return nil_value();
    retain(found);
    return found;
}

Value object_clone(Value* args, int) { return is_absent(args[0]) ? nil_value() : clone_value(args[0]); }

// ---- changes ----------------------------------------------------------------

Value object_delete(Value* args, int) {
    Value object = args[0];
    if (!is_object(object)) return make_bool(false);
    if (refuse_frozen(object)) return make_bool(false);
    if (!is_string(args[1]) || !map_of(object)) return make_bool(false);
    return make_bool(map_remove(map_of(object), string_hash(as_obj(args[1])), /*owning=*/true));
}

Value object_clear(Value* args, int) {
    Value object = args[0];
    if (!is_object(object)) return nil_value();
    if (refuse_frozen(object)) return make_bool(false);
    if (map_of(object)) map_clear(map_of(object), /*owning=*/true);
    return make_bool(true);
}

Value object_merge(Value* args, int) {
    Value destination = args[0], source = args[1];
    if (!is_object(destination)) return make_bool(false);
    if (refuse_frozen(destination)) return make_bool(false);
    if (!is_object(source) || !map_of(source)) return make_bool(false);
    PropertyMap* target = ensure_map(destination);
    if (!target) return make_bool(false);
    const PropertyMap* from = map_of(source);
    uint32_t cursor = 0;
    Value key, value;
    uint64_t hash;
    while (map_next(from, &cursor, &key, &value, &hash)) {
        if (is_absent(key) || is_absent(value)) continue;
        put(destination, key, hash, value);
        if (error_pending()) return make_bool(false);
    }
    return make_bool(true);
}

Value object_freeze(Value* args, int) {
    if (!is_object(args[0])) return make_bool(false);
    as_obj(args[0])->flags |= F_FROZEN;
    return make_bool(true);
}

Value object_is_frozen(Value* args, int) {
    return make_bool(is_object(args[0]) && (as_obj(args[0])->flags & F_FROZEN));
}

// ---- building from arrays ---------------------------------------------------

// A keys array as the builders read it: a flat float array has no string keys, so it
// is usable only when empty.
bool keys_usable(Value keys) { return is_array(keys) && !(array_is_flat_float(as_obj(keys)) && array_count(as_obj(keys))); }

bool all_strings(Value keys) {
    const ObjHeader* array = as_obj(keys);
    if (array_is_flat_float(array)) return true;  // empty (keys_usable)
    for (uint32_t i = 0; i < array_count(array); ++i) {
        if (!is_string(array_items(array)[i])) return false;
    }
    return true;
}

Value object_pick(Value* args, int) {
    Value source = args[0], keys = args[1];
    if (!is_object(source) || !keys_usable(keys) || !all_strings(keys)) return nil_value();
    const ObjHeader* array = as_obj(keys);
    Value out = new_object(array_count(array));
    if (!is_object(out)) return out;
    for (uint32_t i = 0; i < array_count(array) && !array_is_flat_float(array); ++i) {
        Value key = array_items(array)[i];
        uint64_t hash = string_hash(as_obj(key));
        Value value = map_of(source) ? map_get(map_of(source), hash) : kAbsent;
        if (!is_absent(value)) put(out, key, hash, value);
        if (error_pending()) return abandon(out);
    }
    return out;
}

Value object_from_keys(Value* args, int) {
    Value keys = args[0], value = is_absent(args[1]) ? nil_value() : args[1];
    if (!keys_usable(keys) || !all_strings(keys)) return nil_value();
    const ObjHeader* array = as_obj(keys);
    Value out = new_object();
    if (!is_object(out)) return out;
    for (uint32_t i = 0; i < array_count(array) && !array_is_flat_float(array); ++i) {
        Value key = array_items(array)[i];
        put(out, key, string_hash(as_obj(key)), value);
        if (error_pending()) return abandon(out);
    }
    return out;
}

// An entry of FromEntries: an ordinary array of at least two items, a string first.
bool is_entry(Value v) {
    if (!is_array(v) || array_is_flat_float(as_obj(v)) || array_count(as_obj(v)) < 2) return false;
    return is_string(array_items(as_obj(v))[0]);
}

Value object_from_entries(Value* args, int) {
    Value entries = args[0];
    if (!is_array(entries)) return nil_value();
    const ObjHeader* array = as_obj(entries);
    if (array_is_flat_float(array)) return array_count(array) ? nil_value() : new_object();
    for (uint32_t i = 0; i < array_count(array); ++i) {
        if (!is_entry(array_items(array)[i])) return nil_value();
    }
    Value out = new_object();
    if (!is_object(out)) return out;
    for (uint32_t i = 0; i < array_count(array); ++i) {
        const Value* items = array_items(as_obj(array_items(array)[i]));
        put(out, items[0], string_hash(as_obj(items[0])), items[1]);
        if (error_pending()) return abandon(out);
    }
    return out;
}

Value object_invert(Value* args, int) {
    Value source = args[0];
    if (!is_object(source)) return nil_value();
    Value out = new_object();
    if (!is_object(out) || !map_of(source)) return out;
    uint32_t cursor = 0;
    Value key, value;
    while (map_next(map_of(source), &cursor, &key, &value, nullptr)) {
        if (is_absent(value)) continue;
        Value text = text_value(value);
        if (!is_string(text)) return abandon(out);
        Value inverted = is_absent(key) ? nil_value() : key;
        retain(inverted);
        map_set(map_of(out), text, string_hash(as_obj(text)), inverted, /*owning=*/true);
        if (error_pending()) return abandon(out);
    }
    return out;
}

// ---- callback members -------------------------------------------------------

// Calls f with the arguments (borrowed); a new reference. *failed is set when the
// callback left an exception pending, so the member stops and answers nil.
Value call_back(Value f, Value* arguments, int count, bool* failed) {
    Value result = invoke_callable(f, arguments, count, nullptr);
    *failed = error_pending();
    return result;
}

// Walks the object's members, handing each (key, value) to visit; visit answers
// false to stop. Answers false when a callback raised.
template <typename Visit>
bool each_member(Value object, Visit visit) {
    const PropertyMap* map = map_of(object);
    uint32_t cursor = 0;
    Value key, value;
    uint64_t hash;
    while (map && map_next(map, &cursor, &key, &value, &hash)) {
        Value k = is_absent(key) ? nil_value() : key, v = is_absent(value) ? nil_value() : value;
        // The callback may change the object: hold the pair while it runs.
        retain(k);
        retain(v);
        bool failed = false;
        bool go_on = visit(k, v, hash, &failed);
        release(k);
        release(v);
        if (failed) return false;
        if (!go_on) return true;
        // A callback that grew or rebuilt the map leaves the cursor where it was;
        // the walk stays within the current table.
        map = map_of(object);
        if (!map) return true;
    }
    return true;
}

Value object_select(Value* args, int) {
    Value source = args[0], f = args[1];
    if (!is_object(source)) return nil_value();
    Value out = new_object();
    if (!is_object(out)) return out;
    bool ok = each_member(source, [&](Value key, Value value, uint64_t hash, bool* failed) {
        Value pair[2] = {key, value};
        Value mapped = call_back(f, pair, 2, failed);
        if (*failed) {
            release(mapped);
            return false;
        }
        put(out, key, hash, mapped);
        release(mapped);
        return true;
    });
    return ok ? out : abandon(out);
}

Value object_where(Value* args, int) {
    Value source = args[0], f = args[1];
    if (!is_object(source)) return nil_value();
    Value out = new_object();
    if (!is_object(out)) return out;
    bool ok = each_member(source, [&](Value key, Value value, uint64_t hash, bool* failed) {
        Value pair[2] = {key, value};
        Value verdict = call_back(f, pair, 2, failed);
        bool keep = !*failed && value_truthy(verdict);
        release(verdict);
        if (keep) put(out, key, hash, value);
        return !*failed;
    });
    return ok ? out : abandon(out);
}

// f(key): a builtin that needs at most one argument runs its native entry directly.
Value map_key(Value f, Value key, bool* failed) {
    if (is_ref_of(f, T_BUILTIN)) {
        const ObjHeader* row = as_obj(f);
        auto native = reinterpret_cast<NativeFn>(row->a);
        if (native && (row->aux & 0xFF) <= 1) {
            Value result = native(&key, 1);
            *failed = error_pending();
            return result;
        }
    }
    return call_back(f, &key, 1, failed);
}

Value object_map_keys(Value* args, int) {
    Value source = args[0], f = args[1];
    if (!is_object(source)) return nil_value();
    Value out = new_object();
    if (!is_object(out)) return out;
    bool ok = each_member(source, [&](Value key, Value value, uint64_t, bool* failed) {
        Value mapped = map_key(f, key, failed);
        if (*failed) {
            release(mapped);
            return false;
        }
        Value text = text_value(mapped);
        release(mapped);
        if (!is_string(text)) {
            *failed = true;
            return false;
        }
        retain(value);
        map_set(map_of(out), text, string_hash(as_obj(text)), container_store_form(value), /*owning=*/true);
        return true;
    });
    return ok ? out : abandon(out);
}

Value object_reduce(Value* args, int) {
    Value source = args[0], f = args[1];
    Value accumulator = is_absent(args[2]) ? nil_value() : args[2];
    retain(accumulator);
    if (!is_object(source)) return accumulator;
    bool ok = each_member(source, [&](Value key, Value value, uint64_t, bool* failed) {
        Value triple[3] = {accumulator, key, value};
        Value next = call_back(f, triple, 3, failed);
        release(accumulator);
        accumulator = next;
        return !*failed;
    });
    return ok ? accumulator : abandon(accumulator);
}

// Any (Wanted = true) stops at the first truthy answer, All (Wanted = false) at the
// first falsy one.
template <bool Wanted>
Value object_any_all(Value* args, int) {
    Value source = args[0], f = args[1];
    if (!is_object(source)) return make_bool(false);
    bool met = false;
    bool ok = each_member(source, [&](Value key, Value value, uint64_t, bool* failed) {
        Value pair[2] = {key, value};
        Value verdict = call_back(f, pair, 2, failed);
        met = !*failed && value_truthy(verdict) == Wanted;
        release(verdict);
        return !*failed && !met;
    });
    if (!ok) return nil_value();
    return make_bool(Wanted ? met : !met);
}

Value object_is_nil(Value* args, int) { return make_bool(is_nil_or_absent(args[0])); }
Value object_not_nil(Value* args, int) { return make_bool(!is_nil_or_absent(args[0])); }

constexpr uint32_t T_FIELDED = T_OBJECT | T_INSTANCE | T_CLASS;

constexpr Signature kAnyToAny{T_ANY, {T_ANY}};
constexpr Signature kAnyToBool{T_BOOL, {T_ANY}};
constexpr Signature kFieldedToArray{T_ARRAY | T_NIL, {T_FIELDED}};
constexpr Signature kFieldedToInt{T_INT, {T_FIELDED}};
constexpr Signature kObjectKeyToBool{T_BOOL, {T_OBJECT, T_STRING}};
constexpr Signature kTryGet{T_ANY, {T_OBJECT, T_STRING, T_ANY}};
constexpr Signature kObjectToBool{T_BOOL | T_NIL, {T_OBJECT}};
constexpr Signature kObjectObjectToBool{T_BOOL, {T_OBJECT, T_OBJECT}};
constexpr Signature kPick{T_OBJECT | T_NIL, {T_OBJECT, T_ARRAY}};
constexpr Signature kFromKeys{T_OBJECT | T_NIL, {T_ARRAY, T_ANY}};
constexpr Signature kFromEntries{T_OBJECT | T_NIL, {T_ARRAY}};
constexpr Signature kObjectToObject{T_OBJECT | T_NIL, {T_OBJECT}};
constexpr Signature kObjectCallableToObject{T_OBJECT | T_NIL, {T_OBJECT, T_CALLABLE}};
constexpr Signature kObjectCallableToBool{T_BOOL | T_NIL, {T_OBJECT, T_CALLABLE}};
constexpr Signature kReduce{T_ANY, {T_OBJECT, T_CALLABLE, T_ANY}};

}  // namespace

// Catalogue order.
constexpr BuiltinNative kObjectNatives[] = {
    {"Clone", object_clone, &kAnyToAny},
    {"Merge", object_merge, &kObjectObjectToBool},
    {"Delete", object_delete, &kObjectKeyToBool},
    {"Keys", object_keys, &kFieldedToArray},
    {"Values", object_values, &kFieldedToArray},
    {"HasKey", object_has_key, &kObjectKeyToBool},
    {"Count", object_count, &kFieldedToInt},
    {"Entries", object_entries, &kFieldedToArray},
    {"Clear", object_clear, &kObjectToBool},
    {"TryGet", object_try_get, &kTryGet},
    {"Select", object_select, &kObjectCallableToObject},
    {"Where", object_where, &kObjectCallableToObject},
    {"Pick", object_pick, &kPick},
    {"FromKeys", object_from_keys, &kFromKeys},
    {"Freeze", object_freeze, &kObjectToBool},
    {"IsNil", object_is_nil, &kAnyToBool},
    {"NotNil", object_not_nil, &kAnyToBool},
    {"Reduce", object_reduce, &kReduce},
    {"Any", object_any_all<true>, &kObjectCallableToBool},
    {"All", object_any_all<false>, &kObjectCallableToBool},
    {"MapKeys", object_map_keys, &kObjectCallableToObject},
    {"Invert", object_invert, &kObjectToObject},
    {"FromEntries", object_from_entries, &kFromEntries},
    {"IsFrozen", object_is_frozen, &kObjectToBool},
};

void object_register_natives() { builtin_register_module("Object", kObjectNatives); }

}  // namespace tarvik
