// engine/interp_ops.cpp: the value-level work of the instructions the interpreter
// hands off: unary operators, tests, conversions, concatenation, literals, property
// access, the FOREACH step and the store rule for locals.
#include "engine/interp_ops.h"

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/class_model.h"
#include "engine/fiber.h"
#include "engine/opcode_table.h"
#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/operators.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/string_builder.h"
#include "runtime/utf8.h"
#include "runtime/value_ops.h"

namespace tarvik {

namespace {

constexpr uint16_t kBuildFloatArray = 4;

bool is_int_value(Value v) { return is_imm_int(v) || is_ref_of(v, T_INT); }
bool is_bool_value(Value v) { return is_imm_bool(v) || is_ref_of(v, T_BOOL); }
bool is_char_value(Value v) { return is_imm_char(v) || is_ref_of(v, T_CHAR); }
bool has_property_map(const ObjHeader* obj) { return obj->type == T_OBJECT || obj->type == T_EXCEPTION; }

// The bytes of a string; a long string without a buffer has none.
const char* string_bytes(const ObjHeader* s, uint32_t* length) {
    const char* chars = string_chars(s);
    *length = chars ? string_length(s) : 0;
    return chars ? chars : "";
}

bool ascii_equal_ignoring_case(const ObjHeader* a, const ObjHeader* b) {
    uint32_t na, nb;
    const char* x = string_bytes(a, &na);
    const char* y = string_bytes(b, &nb);
    if (na != nb) return false;
    for (uint32_t i = 0; i < na; ++i) {
        uint32_t cx = uint8_t(x[i]), cy = uint8_t(y[i]);
        if (cx - 'A' < 26u) cx += 'a' - 'A';
        if (cy - 'A' < 26u) cy += 'a' - 'A';
        if (cx != cy) return false;
    }
    return true;
}

bool string_contains(const ObjHeader* s, Value probe) {
    uint32_t length;
    const char* hay = string_bytes(s, &length);
    char encoded[4];
    const char* needle = encoded;
    size_t needle_length = 0;
    if (is_string(probe)) {
        uint32_t n;
        needle = string_bytes(as_obj(probe), &n);
        needle_length = n;
    } else if (is_char_value(probe)) {
        int n = utf8_encode(uint32_t(value_to_int(probe)), encoded);
        if (n == 0) return false;
        needle_length = size_t(n);
    } else {
        return false;
    }
    return memmem(hay, length, needle, needle_length) != nullptr;
}

bool array_contains(const ObjHeader* a, Value probe) {
    uint32_t count = array_count(a);
    if (array_is_flat_float(a)) {
        // Items are floats: only a number can equal one, compared as doubles.
        if (!is_numeric(probe)) return false;
        double d = value_to_double(probe);
        for (uint32_t i = 0; i < count; ++i) {
            if (array_doubles(a)[i] == d) return true;
        }
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (compare_values(array_items(a)[i], probe, CMP_EQ)) return true;
    }
    return false;
}

Value new_string_of_text(Value v) {
    char buffer[64];
    size_t length;
    const char* text = value_text(v, buffer, sizeof buffer, &length);
    return make_string_bytes(text, length);
}

Value new_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
Value new_text(const char* format, ...) {
    char buffer[128];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return make_string_bytes(buffer, n < 0 ? 0 : std::min(size_t(n), sizeof buffer - 1));
}

// Property get on an instance: a field's slot (nil when empty or beyond the
// instance's fields), a method's or constant's entry value. Borrowed.
Value instance_property(ObjHeader* instance, uint64_t hash) {
    const InstanceRecord* record = instance_record(instance);
    if (!record || !record->cls) return kAbsent;
    const MemberEntry* entry = class_find_member(record->cls, hash);
    if (!entry) return kAbsent;
    if (entry->kind != MEMBER_FIELD) return entry->value;
    if (entry->field_index >= record->field_count) return nil_value();
    Value slot = record->fields[entry->field_index];
    return is_absent(slot) ? nil_value() : slot;
}

// The cursor local as an integer: an empty slot or a non-int counts as 0.
int64_t cursor_of(const CallFrame* frame, uint8_t slot) {
    if (slot >= kMaxLocals) return 0;
    Value v = frame->locals[slot];
    return is_int_value(v) ? value_to_int(v) : 0;
}

void store_if_slot(CallFrame* frame, uint8_t slot, Value value) {
    if (slot < kMaxLocals) {
        frame_store(frame, slot, value);
    } else {
        release(value);
    }
}

}  // namespace

Value op_negate(Value v) {
    if (is_int_value(v)) return make_int(int64_t(0 - uint64_t(value_to_int(v))));  // wraps: INT64_MIN stays
    if (is_float(v)) return make_float(-float_of(as_obj(v)));
    raise_typed(ERR_INVALID_ARGUMENTS, "Cannot negate non-numeric value", v);
    return nil_value();
}

Value op_bit_not(Value v) {
    if (is_integral(v)) return make_int(~value_to_int(v));
    raise_error(ERR_INVALID_ARGUMENTS);
    return nil_value();
}

Value op_step(Value v, int delta) {
    if (is_numeric(v)) return binary_op(v, make_imm_int(delta), OPR_ADD);
    raise_typed(ERR_INVALID_ARGUMENTS, delta > 0 ? "Cannot increment non-numeric value" : "Cannot decrement non-numeric value",
                v);
    return nil_value();
}

bool op_approx_equal(Value a, Value b) {
    bool a_number = is_int_value(a) || is_float(a);
    bool b_number = is_int_value(b) || is_float(b);
    if (a_number && b_number) {
        double x = value_to_double(a), y = value_to_double(b);
        if (std::isnan(x) || std::isnan(y)) return false;
        // An infinity would pass the relative test against any finite number.
        if (std::isinf(x) || std::isinf(y)) return x == y;
        return std::fabs(x - y) <= std::fmax(std::fabs(x), std::fabs(y)) * 0.01 + 1e-9;
    }
    if (is_string(a) && is_string(b)) return ascii_equal_ignoring_case(as_obj(a), as_obj(b));
    return false;
}

bool op_contains(Value container, Value probe) {
    if (!is_ref(container)) return false;
    const ObjHeader* c = as_obj(container);
    if (c->type & T_ARRAY) return array_contains(c, probe);
    if (c->type == T_STRING) return string_contains(c, probe);
    if (c->type == T_OBJECT) {
        const PropertyMap* map = object_map(c);
        return map && is_string(probe) && !is_absent(map_get(map, string_hash(as_obj(probe))));
    }
    return false;
}

int64_t op_length(Value v) {
    if (!is_ref(v)) return 0;
    ObjHeader* obj = as_obj(v);
    if (obj->type & T_ARRAY) return array_count(obj);
    switch (obj->type) {
    case T_STRING: return string_length(obj);
    case T_BLOCK: return block_count(obj);
    case T_OBJECT:
    case T_EXCEPTION: return object_map(obj) ? object_map(obj)->count : 0;
    case T_INSTANCE: return instance_record(obj) ? instance_record(obj)->field_count : 0;
    case T_CLASS:
        // Every member the class answers to, inherited ones included.
        class_resolve(obj);
        return class_record(obj) ? class_record(obj)->resolved_count : 0;
    default: return 0;
    }
}

// Only the forms listed for the instruction have a debug text; every other type
// shows as unknown with its type mask.
Value op_repr(Value v) {
    if (is_string(v)) {
        uint32_t length;
        const char* chars = string_bytes(as_obj(v), &length);
        StringBuilder sb;
        if (!sb_init(&sb, size_t(length) + 3)) return nil_value();
        if (!sb_append_byte(&sb, '\'') || !sb_append_bytes(&sb, chars, length) || !sb_append_byte(&sb, '\'')) {
            sb_free(&sb);
            return nil_value();
        }
        return sb_to_string(&sb);
    }
    if (is_array(v)) return new_text("<array[%d]>", int(array_count(as_obj(v))));
    if (is_ref_of(v, T_BUILTIN)) return make_string(builtin_qualified_name(v));
    if (is_int_value(v)) return new_text("%" PRId64, value_to_int(v));
    if (is_bool_value(v)) return make_string(value_to_int(v) ? "true" : "false");
    return new_text("<unknown type %d>", int(value_type(v)));
}

Value op_to_int(Value v) {
    if (is_string(v) && !string_chars(as_obj(v))) return make_imm_int(0);
    return make_int(value_to_int_or_parse(v));
}

Value op_to_float(Value v) {
    if (is_string(v)) {
        const char* chars = string_chars(as_obj(v));
        return make_float(chars ? std::strtod(chars, nullptr) : 0.0);
    }
    return make_float(value_to_double(v));
}

Value op_to_string(Value v) { return new_string_of_text(v); }

Value op_to_width(Value v, uint8_t opcode) {
    int64_t n = value_to_int(v);
    switch (opcode) {
    case OP_TO_I8: return make_imm_int(int8_t(n));
    case OP_TO_U8: return make_imm_int(uint8_t(n));
    case OP_TO_I16: return make_imm_int(int16_t(n));
    case OP_TO_U16: return make_imm_int(uint16_t(n));
    case OP_TO_I32: return make_imm_int(int32_t(n));
    case OP_TO_U32: return make_imm_int(uint32_t(n));
    default: assert(false && "not a width conversion"); return make_int(n);
    }
}

Value op_concat(const Value* values, int n) {
    StringBuilder sb;
    if (!sb_init(&sb, 0)) return nil_value();
    char buffer[64];
    for (int i = 0; i < n; ++i) {
        size_t length;
        const char* text = value_text(values[i], buffer, sizeof buffer, &length);
        if (length > kMaxStringLength - sb.length) {
            sb_free(&sb);
            raise_error(ERR_RUNTIME);
            return nil_value();
        }
        if (!sb_append_bytes(&sb, text, length)) {
            sb_free(&sb);
            return nil_value();
        }
    }
    return sb_to_string(&sb);
}

Value op_build_object(const Value* pairs, int n) {
    Value object = make_object();
    if (!is_ref_of(object, T_OBJECT)) return object;
    PropertyMap* map = object_map(as_obj(object));
    for (int i = 0; i < n; ++i) {
        Value key = pairs[2 * i], value = pairs[2 * i + 1];
        if (!is_string(key)) {
            raise_typed(ERR_INVALID_ARGUMENTS, "Object literal key must be a string", key);
            release(object);
            return nil_value();
        }
        // Containers are copied in so that the literal never aliases its sources.
        Value stored;
        if (is_array(value) || is_ref_of(value, T_OBJECT)) {
            stored = clone_value(value);
        } else {
            retain(value);
            stored = container_store_form(value);
        }
        retain(key);
        map_set(map, key, string_hash(as_obj(key)), stored, /*owning=*/true);
    }
    return object;
}

Value op_build_array(const Value* items, int n, uint16_t kind) {
    bool flat = kind == kBuildFloatArray;
    if (flat) {
        for (int i = 0; i < n; ++i) {
            if (!is_int_value(items[i]) && !is_float(items[i])) {
                raise_error(ERR_TYPE_MISMATCH);
                return nil_value();
            }
        }
    }
    Value array = flat ? make_flat_float_array(n) : make_array(n);
    if (!is_array(array)) return array;
    for (int i = 0; i < n; ++i) array_append(array, items[i], /*borrowed=*/true);
    return array;
}

Value op_get_property(Value target, Value name, uint64_t hash) {
    (void)name;  // module receivers will need it for the import error line
    if (!is_ref(target)) return nil_value();
    ObjHeader* obj = as_obj(target);
    Value found = kAbsent;
    if (has_property_map(obj)) {
        if (const PropertyMap* map = object_map(obj)) found = map_get(map, hash);
    } else if (obj->type == T_INSTANCE) {
        found = instance_property(obj, hash);
    } else if (obj->type == T_CLASS) {
        if (const MemberEntry* entry = class_find_member(obj, hash)) found = entry->value;
    } else {
        // Module receivers resolve through their export table once module records
        // exist; until then they, like every other receiver, yield nil.
        return nil_value();
    }
    if (is_absent(found)) return nil_value();
    uint32_t flags = method_flags_of(found);
    if (!(flags & METHOD_INSTANCE)) {
        retain(found);
        return found;
    }
    if (obj->type == T_CLASS && !(flags & METHOD_STATIC)) {
        raise_error(ERR_CLASS_NON_STATIC_CALL);
        return nil_value();
    }
    // Held across the allocation, which may run a destructor that drops the entry.
    retain(found);
    Value bound = make_bound_method(target, found);
    release(found);
    return bound;
}

void op_set_property(Value target, Value name, uint64_t hash, Value value) {
    uint32_t type = value_type(target);
    if (type != T_OBJECT && type != T_EXCEPTION && type != T_INSTANCE && type != T_CLASS) {
        raise_typed(ERR_NULL_PTR, "Cannot set property on non-object", target);
        return;
    }
    ObjHeader* obj = as_obj(target);
    if (obj->flags & F_FROZEN) {
        raise_error(ERR_CONST_ASSIGN);
        return;
    }
    if (type == T_INSTANCE) {
        if (!instance_field_set(obj, hash, value)) raise_error(ERR_FIELD_UNDECLARED);
        return;
    }
    if (type == T_CLASS) {
        class_set_member(target, hash, is_method_value(value) ? MEMBER_METHOD : MEMBER_STATIC, value, name);
        return;
    }
    PropertyMap* map = object_map(obj);
    if (!map) return;
    retain(name);
    retain(value);
    map_set(map, name, hash, container_store_form(value), /*owning=*/true);
}

bool op_foreach_step(CallFrame* frame, uint8_t value_slot, uint8_t key_slot, uint8_t collection_slot,
                     uint8_t cursor_slot) {
    Value c = collection_slot < kMaxLocals ? frame->locals[collection_slot] : kAbsent;
    int64_t cursor = cursor_of(frame, cursor_slot);
    // A cursor below -1 would index before the start; a stray huge one must not wrap.
    int64_t next = cursor < 0 ? 0 : (cursor == INT64_MAX ? cursor : cursor + 1);
    Value item = kAbsent, key = kAbsent;
    int64_t position = next;
    bool found = false;
    if (is_array(c)) {
        const ObjHeader* a = as_obj(c);
        if (next < int64_t(array_count(a))) {
            item = array_get(a, uint32_t(next));
            if (is_absent(item)) item = nil_value();  // a skipped slot of a grown array
            key = make_int(next);
            found = true;
        }
    } else if (is_string(c)) {
        // Byte positions, each byte a character, as string indexing reads them.
        const ObjHeader* s = as_obj(c);
        uint32_t length;
        const char* chars = string_bytes(s, &length);
        if (next < int64_t(length)) {
            item = make_char(uint8_t(chars[next]));
            key = make_int(next);
            found = true;
        }
    } else if (is_ref_of(c, T_OBJECT)) {
        const PropertyMap* map = object_map(as_obj(c));
        uint32_t entry = next > int64_t(UINT32_MAX) ? UINT32_MAX : uint32_t(next);
        uint64_t hash;
        if (map && map_next(map, &entry, &key, &item, &hash)) {
            position = int64_t(entry) - 1;  // map_next leaves the cursor after the entry
            key = is_absent(key) ? nil_value() : key;
            retain(key);
            retain(item);
            found = true;
        }
    } else {
        raise_typed(ERR_INVALID_ARGUMENTS, "foreach expects an array, string or object", c);
        return false;
    }
    if (!found) {
        store_if_slot(frame, value_slot, nil_value());
        store_if_slot(frame, key_slot, nil_value());
        return true;
    }
    // Everything is held before the first store, which may replace the collection.
    store_if_slot(frame, value_slot, item);
    store_if_slot(frame, key_slot, key);
    store_if_slot(frame, cursor_slot, make_int(position));
    return false;
}

void frame_store(CallFrame* frame, uint8_t slot, Value value) {
    assert(slot < kMaxLocals);
    if (slot >= kMaxLocals) {  // verified code never gets here; never write past the frame
        release(value);
        return;
    }
    Value stored = container_store_form(value);
    Value old = frame->locals[slot];
    frame->locals[slot] = stored;
    if (frame->live_locals <= slot) frame->live_locals = uint8_t(slot + 1);
    release(old);
}

}  // namespace tarvik
