// runtime/index_access.cpp: container[key] reads and writes on arrays, objects,
// strings and blocks, with their bounds, typing and const rules.
#include "runtime/index_access.h"

#include "runtime/array.h"
#include "runtime/block.h"
#include "runtime/block_registry.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"

namespace tarvik {

namespace {

constexpr const char* kCannotAssign = "Cannot assign by index into value";

bool is_int_key(Value key) { return is_imm_int(key) || is_ref_of(key, T_INT); }
bool is_position_key(Value key) { return is_int_key(key) || is_float(key); }
int64_t int_key(Value key) { return is_imm_int(key) ? imm_int(key) : value_to_int(key); }

// Counts a negative index from the end; false (after raising code 4) when the index
// is still outside [0, length).
bool resolve_index(int64_t* index, int64_t length) {
    if (*index < 0) *index += length;
    if (*index < 0 || *index >= length) {
        raise_index(*index, length);
        return false;
    }
    return true;
}

// Address of a block element that raw access may touch, or null after raising.
uint8_t* guarded_element(const ObjHeader* block, int64_t index) {
    uint32_t width = block_width(block);
    uint8_t* p = block_bytes(block) + uint64_t(index) * width;
    return memory_guard_check(p, width) ? p : nullptr;
}

Value read_non_indexable(Value container, Value key) {
    ScriptLocation where;
    int line = -1;
    if (console_current_location(&where)) line = int(where.line);
    print_error("Attempt to index non-indexable type '%s' for key '%s' at line %d\n", type_name_of(container),
                type_name_of(key), line);
    return nil_value();
}

Value read_array(const ObjHeader* a, int64_t index) {
    if (!resolve_index(&index, array_count(a))) return nil_value();
    return array_get(a, uint32_t(index));
}

Value read_object(const ObjHeader* o, Value key) {
    Value v = map_get(object_map(o), string_hash(as_obj(key)));
    if (is_absent(v)) return nil_value();
    retain(v);
    return v;
}

Value read_string(const ObjHeader* s, int64_t index) {
    if (!resolve_index(&index, string_length(s))) return nil_value();
    return make_char(uint8_t(string_chars(s)[index]));
}

Value read_block(const ObjHeader* b, int64_t index) {
    if (!resolve_index(&index, block_count(b))) return nil_value();
    if (!guarded_element(b, index)) return nil_value();
    return make_int(block_read(b, uint32_t(index)));
}

void write_array(ObjHeader* a, Value key, Value value) {
    if (!is_int_key(key)) {
        raise_typed(ERR_NULL_PTR, kCannotAssign, make_ref(a));
        return;
    }
    uint32_t element_bits = a->type & 0xFF & ~T_ARRAY;
    if (element_bits && !(value_type(value) & element_bits)) {
        raise_error(ERR_TYPE_MISMATCH);
        return;
    }
    int64_t index = int_key(key);
    if (index < 0) index += array_count(a);
    if (index < 0 || index >= int64_t(kMaxArrayItems)) {
        raise_index(index, kMaxArrayItems);
        return;
    }
    if (index >= int64_t(array_capacity(a)) && !array_ensure_capacity(a, uint32_t(index * 2 + 2))) return;
    uint32_t i = uint32_t(index);
    if (array_is_flat_float(a)) {
        array_doubles(a)[i] = value_to_double(value);
        if (i >= a->aux) a->aux = i + 1;
        return;
    }
    retain(value);
    Value stored = container_store_form(value);
    Value* items = array_items(a);
    Value old = i < a->aux ? items[i] : kAbsent;
    items[i] = stored;
    if (i >= a->aux) a->aux = i + 1;
    release(old);  // last: a destructor run by it may look at this array
}

void write_object(ObjHeader* o, Value key, Value value) {
    if (!is_string(key)) {
        raise_typed(ERR_NULL_PTR, kCannotAssign, make_ref(o));
        return;
    }
    uint64_t hash = string_hash(as_obj(key));
    retain(key);
    retain(value);
    map_set(object_map(o), key, hash, container_store_form(value), true);
}

void write_string(ObjHeader* s, Value key, Value value) {
    int64_t index = int_key(key);
    if (!resolve_index(&index, string_length(s))) return;
    string_chars(s)[index] = char(uint8_t(value_to_int(value)));
    string_mark_stale(s);
}

void write_block(ObjHeader* b, Value key, Value value) {
    int64_t index = int_key(key);
    if (!resolve_index(&index, block_count(b))) return;
    if (!guarded_element(b, index)) return;
    block_write(b, uint32_t(index), value_to_int(value));
}

}  // namespace

Value index_read(Value container, Value key) {
    if (is_ref(container)) {
        const ObjHeader* c = as_obj(container);
        uint32_t type = c->type;
        if (type & T_ARRAY) {
            if (is_int_key(key)) return read_array(c, int_key(key));
        } else if (type == T_OBJECT) {
            if (is_string(key)) return read_object(c, key);
        } else if (type == T_STRING) {
            if (is_position_key(key)) return read_string(c, int_key(key));
        } else if (type == T_BLOCK) {
            if (is_position_key(key)) return read_block(c, int_key(key));
        } else if (type == T_NIL) {
            return nil_value();
        }
    } else if (is_absent(container)) {
        return nil_value();  // the absent value reads as nil
    }
    return read_non_indexable(container, key);
}

void index_write(Value container, Value key, Value value) {
    if (!is_ref(container)) {
        raise_typed(ERR_NULL_PTR, kCannotAssign, container);
        return;
    }
    ObjHeader* c = as_obj(container);
    if (c->flags & F_FROZEN) {
        raise_error(ERR_CONST_ASSIGN);
        return;
    }
    uint32_t type = c->type;
    if (type & T_ARRAY) {
        write_array(c, key, value);
    } else if (type == T_OBJECT) {
        write_object(c, key, value);
    } else if ((type == T_STRING || type == T_BLOCK) && is_position_key(key)) {
        if (type == T_STRING) {
            write_string(c, key, value);
        } else {
            write_block(c, key, value);
        }
    } else {
        raise_typed(ERR_NULL_PTR, kCannotAssign, container);
    }
}

}  // namespace tarvik
