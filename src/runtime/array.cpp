// runtime/array.cpp: array values (plain, typed and flat float), their growth and the
// stored form of values placed in containers.
#include "runtime/array.h"

#include <cstring>

#include "runtime/alloc.h"
#include "runtime/errors.h"
#include "runtime/heap.h"

namespace tarvik {

static Value new_array(int64_t capacity, uint32_t flags) {
    ObjHeader* o = heap_alloc();
    o->flags |= flags;
    o->type = T_ARRAY;
    o->aux = 0;
    o->a = 0;
    o->b = 0;
    if (capacity < 0 || capacity >= kMaxArrayCapacityRequest) {
        raise_error(ERR_RUNTIME);
    } else if (capacity > 0) {
        void* items = checked_calloc(size_t(capacity), sizeof(Value));
        if (items) {
            o->a = uint64_t(capacity);
            o->b = reinterpret_cast<uint64_t>(items);
        }
    }
    return make_ref(o);
}

Value make_array(int64_t capacity) { return new_array(capacity, 0); }
Value make_flat_float_array(int64_t capacity) { return new_array(capacity, F_FLAT_FLOAT); }

// Moves the storage to a zeroed buffer of `n` slots. A fresh allocation rather than a
// resize: the resize wrapper's failure cannot be told apart from an in-place success.
static bool array_resize_storage(ObjHeader* array, uint32_t n) {
    uint32_t old_capacity = array_capacity(array);
    void* items = checked_calloc(n, sizeof(Value));
    if (!items) return false;
    void* old = reinterpret_cast<void*>(array->b);
    if (old) {
        std::memcpy(items, old, size_t(old_capacity) * sizeof(Value));
        checked_free(old);
    }
    array->a = (array->a & ~uint64_t(0xFFFFFFFF)) | n;
    array->b = reinterpret_cast<uint64_t>(items);
    return true;
}

bool array_ensure_capacity(ObjHeader* array, uint32_t n) {
    if (n > kMaxArrayItems) n = kMaxArrayItems;
    if (n <= array_capacity(array)) return true;
    return array_resize_storage(array, n);
}

// Makes room for one more item.
static bool array_grow_for_append(ObjHeader* array) {
    uint32_t capacity = array_capacity(array);
    if (array_count(array) < capacity) return true;
    uint32_t grown = capacity < 8 ? 8 : capacity * 2;
    if (grown > kMaxArrayItems) grown = kMaxArrayItems;
    if (grown <= capacity) {
        raise_error(ERR_SIZE_LIMIT);
        return false;
    }
    return array_resize_storage(array, grown);
}

static bool is_numeric_box(const ObjHeader* o) {
    uint32_t t = o->type;
    return t == T_INT || t == T_FLOAT || t == T_CHAR || t == T_BOOL;
}

bool container_store_copies(Value value) {
    if (!is_ref(value)) return false;
    const ObjHeader* o = as_obj(value);
    // The only owner hands the box over: nobody else can see it, so no copy is needed.
    return is_numeric_box(o) && (o->ref_count != 1 || (o->flags & F_STATIC));
}

Value container_store_form(Value value) {
    if (!container_store_copies(value)) return value;
    ObjHeader* o = as_obj(value);
    ObjHeader* copy = heap_alloc();
    copy->type = o->type;
    copy->aux = o->aux;
    copy->a = o->a;
    copy->b = o->b;
    release(value);
    return make_ref(copy);
}

void array_append(Value array, Value value, bool borrowed) {
    if (!is_array(array)) {
        if (!borrowed) release(value);
        return;
    }
    ObjHeader* a = as_obj(array);
    if (array_is_flat_float(a)) {
        bool is_int = is_imm_int(value) || is_ref_of(value, T_INT);
        if (!is_int && !is_float(value)) {
            raise_error(ERR_TYPE_MISMATCH);
            if (!borrowed) release(value);
            return;
        }
        if (array_grow_for_append(a)) array_doubles(a)[a->aux++] = value_to_double(value);
        if (!borrowed) release(value);
        return;
    }
    if (borrowed) retain(value);
    // Copying a box allocates, and reusing a queued slot may run a destructor that
    // appends to this very array; so the copy comes before the room is made.
    Value stored = container_store_form(value);
    if (!array_grow_for_append(a)) {
        release(stored);
        return;
    }
    array_items(a)[a->aux++] = stored;
}

Value array_get(const ObjHeader* array, uint32_t i) {
    if (array_is_flat_float(array)) return make_float(array_doubles(array)[i]);
    Value v = array_items(array)[i];
    retain(v);
    return v;
}

}  // namespace tarvik
