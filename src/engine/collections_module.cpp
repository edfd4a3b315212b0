// engine/collections_module.cpp: the Collections module and the builtin container
// classes behind it. Each container is an instance of a shared static class whose
// methods are native rows taking the receiver as argument 0; the state lives in
// ordinary instance fields, so every method first checks that a field still holds
// the type it needs (scripts may assign to them).
#include "engine/collections_module.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/class_model.h"
#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"

namespace tarvik {

namespace {

enum Kind { STACK, QUEUE, HASH_MAP, PRIORITY_QUEUE, MAX_PRIORITY_QUEUE, LINKED_LIST, SET, ORDERED_MAP, KIND_COUNT };

const char* const kClassNames[KIND_COUNT] = {"Stack",            "Queue",      "HashMap", "PriorityQueue",
                                             "MaxPriorityQueue", "LinkedList", "Set",     "OrderedMap"};

ObjHeader* g_classes[KIND_COUNT] = {};
// Property keys of list nodes; static like the classes.
Value g_key_val = kAbsent, g_key_next = kAbsent, g_key_key = kAbsent;

uint64_t text_hash(const char* text) { return hash_bytes(text, std::strlen(text)); }

const uint64_t kArrayField = text_hash("_array");
const uint64_t kMapField = text_hash("_map");
const uint64_t kMinField = text_hash("_min");
const uint64_t kValuesField = text_hash("_values");
const uint64_t kPrioritiesField = text_hash("_priorities");
const uint64_t kHeadField = text_hash("_head");
const uint64_t kTailField = text_hash("_tail");
const uint64_t kSizeField = text_hash("_size");
const uint64_t kValKey = text_hash("_val");
const uint64_t kNextKey = text_hash("_next");
const uint64_t kKeyKey = text_hash("_key");

// Walks over node chains stop here: a chain edited into a cycle must not hang.
constexpr uint32_t kMaxChainSteps = kMaxArrayItems;

// ---- values and fields -----------------------------------------------------------

// A borrowed value in the form a container slot keeps (a new reference).
Value stored(Value v) {
    retain(v);
    return container_store_form(v);
}

Value retained(Value v) {
    if (is_absent(v)) return nil_value();
    retain(v);
    return v;
}

Value self_result(Value self) {
    retain(self);
    return self;
}

const char* class_name_of(Value self) {
    if (!is_ref_of(self, T_INSTANCE)) return "Collection";
    Value name = instance_record(as_obj(self))->class_name;
    return is_string(name) ? string_chars(as_obj(name)) : "Collection";
}

const char* field_name(uint64_t hash) {
    if (hash == kArrayField) return "_array";
    if (hash == kMapField) return "_map";
    if (hash == kMinField) return "_min";
    if (hash == kValuesField) return "_values";
    if (hash == kPrioritiesField) return "_priorities";
    if (hash == kHeadField) return "_head";
    if (hash == kTailField) return "_tail";
    return "_size";
}

// The field's current value when it has one of `types` (borrowed); absent after
// raising RuntimeError.
Value field(Value self, uint64_t hash, uint32_t types) {
    Value* slot = is_ref_of(self, T_INSTANCE) ? instance_field_slot(as_obj(self), hash) : nullptr;
    Value v = slot ? *slot : kAbsent;
    if (!is_absent(v) && (value_type(v) & types)) return v;
    raise_errorf(ERR_RUNTIME, "%s: internal field '%s' was replaced (got %s)", class_name_of(self), field_name(hash),
                 is_absent(v) ? "nothing" : type_name_of(v));
    return kAbsent;
}

ObjHeader* array_field(Value self, uint64_t hash) {
    Value v = field(self, hash, T_ARRAY);
    return is_absent(v) ? nullptr : as_obj(v);
}

PropertyMap* map_field(Value self) {
    Value v = field(self, kMapField, T_OBJECT);
    return is_absent(v) ? nullptr : object_map(as_obj(v));
}

ObjHeader* map_field_object(Value self) {
    Value v = field(self, kMapField, T_OBJECT);
    return is_absent(v) ? nullptr : as_obj(v);
}

// Stores into a field, taking over `value`.
void set_field(Value self, uint64_t hash, Value value) {
    instance_field_set(as_obj(self), hash, value);
    release(value);
}

// Frozen containers refuse changes as index writes do.
bool refuse_frozen(const ObjHeader* container) {
    if (!(container->flags & F_FROZEN)) return false;
    raise_error(ERR_CONST_ASSIGN, "Invalid assignment of const-object");
    return true;
}

// ---- arrays ------------------------------------------------------------------------

// Item i as a new reference; nil for an unset slot.
Value item(const ObjHeader* a, uint32_t i) {
    Value v = array_get(a, i);
    return is_absent(v) ? nil_value() : v;
}

double priority_at(const ObjHeader* a, uint32_t i) {
    return array_is_flat_float(a) ? array_doubles(a)[i] : value_to_double(array_items(a)[i]);
}

void swap_items(ObjHeader* a, uint32_t i, uint32_t j) {
    if (array_is_flat_float(a)) {
        std::swap(array_doubles(a)[i], array_doubles(a)[j]);
    } else {
        std::swap(array_items(a)[i], array_items(a)[j]);
    }
}

// Removes item i, moving the later ones down; returns it as a new reference.
Value take_item(ObjHeader* a, uint32_t i) {
    uint32_t n = array_count(a);
    Value v;
    if (array_is_flat_float(a)) {
        v = array_get(a, i);
        std::memmove(array_doubles(a) + i, array_doubles(a) + i + 1, (n - i - 1) * sizeof(double));
        array_doubles(a)[n - 1] = 0.0;
    } else {
        v = array_items(a)[i];
        std::memmove(array_items(a) + i, array_items(a) + i + 1, (n - i - 1) * sizeof(Value));
        array_items(a)[n - 1] = kAbsent;
    }
    a->aux = n - 1;
    return is_absent(v) ? nil_value() : v;
}

void clear_items(ObjHeader* a) {
    uint32_t n = array_count(a);
    // The count drops first: a destructor run by a release sees a consistent array.
    a->aux = 0;
    if (array_is_flat_float(a)) return;
    for (uint32_t i = 0; i < n; ++i) {
        Value v = array_items(a)[i];
        array_items(a)[i] = kAbsent;
        release(v);
    }
}

Value copy_items(const ObjHeader* a) {
    uint32_t n = array_count(a);
    Value out = make_array(n);
    if (!is_array(out)) return out;
    for (uint32_t i = 0; i < n; ++i) array_append(out, item(a, i), /*borrowed=*/false);
    return out;
}

// ---- object maps -------------------------------------------------------------------

template <typename Visit>
void each_entry(const PropertyMap* map, Visit visit) {
    uint32_t cursor = 0;
    Value key, value;
    uint64_t hash;
    while (map_next(map, &cursor, &key, &value, &hash)) visit(key, value, hash);
}

Value map_keys(const PropertyMap* map) {
    Value out = make_array(map->count);
    if (!is_array(out)) return out;
    each_entry(map, [&](Value key, Value, uint64_t) { array_append(out, retained(key), false); });
    return out;
}

// ---- instances ---------------------------------------------------------------------

Value make_static_string(const char* text) {
    Value s = make_string(text);
    if (is_ref(s)) as_obj(s)->flags |= F_STATIC;
    return s;
}

ObjHeader* ensure_class(Kind kind);

// A new container; its fields get fresh storage here (nil defaults in the class
// keep the classes free of heap values). Nil after raising.
Value new_instance(Kind kind) {
    ObjHeader* cls = ensure_class(kind);
    if (!cls) return nil_value();
    Value self = class_instantiate(make_ref(cls));
    if (!is_ref_of(self, T_INSTANCE)) return self;
    switch (kind) {
    case STACK:
    case QUEUE: set_field(self, kArrayField, make_array(0)); break;
    case HASH_MAP:
    case SET: set_field(self, kMapField, make_object()); break;
    case PRIORITY_QUEUE:
    case MAX_PRIORITY_QUEUE:
        set_field(self, kValuesField, make_array(0));
        set_field(self, kPrioritiesField, make_flat_float_array(0));
        set_field(self, kMinField, make_bool(kind == PRIORITY_QUEUE));
        break;
    case LINKED_LIST: set_field(self, kSizeField, make_imm_int(0)); break;
    case ORDERED_MAP: set_field(self, kMapField, make_object()); break;
    default: break;
    }
    return self;
}

bool is_kind(Value v, Kind kind) {
    return is_ref_of(v, T_INSTANCE) && g_classes[kind] && instance_record(as_obj(v))->cls == g_classes[kind];
}

// ---- Stack and Queue -----------------------------------------------------------------

Value seq_push(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    if (!a || refuse_frozen(a)) return nil_value();
    array_append(make_ref(a), args[1], /*borrowed=*/true);
    return self_result(args[0]);
}

Value stack_pop(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    if (!a || array_count(a) == 0 || refuse_frozen(a)) return nil_value();
    return take_item(a, array_count(a) - 1);
}

Value stack_peek(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    if (!a || array_count(a) == 0) return nil_value();
    return item(a, array_count(a) - 1);
}

Value queue_dequeue(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    if (!a || array_count(a) == 0 || refuse_frozen(a)) return nil_value();
    return take_item(a, 0);
}

Value queue_peek(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    if (!a || array_count(a) == 0) return nil_value();
    return item(a, 0);
}

Value seq_is_empty(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    return a ? make_bool(array_count(a) == 0) : nil_value();
}

Value seq_size(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    return a ? make_int(array_count(a)) : nil_value();
}

Value seq_clear(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    if (a && !refuse_frozen(a)) clear_items(a);
    return nil_value();
}

Value seq_to_array(Value* args, int) {
    ObjHeader* a = array_field(args[0], kArrayField);
    return a ? copy_items(a) : nil_value();
}

// ---- PriorityQueue and MaxPriorityQueue ------------------------------------------

struct Heap {
    ObjHeader* values;
    ObjHeader* priorities;
    bool min;

    // Strict, so that equal priorities never move past each other needlessly.
    bool above(uint32_t i, uint32_t j) const {
        double a = priority_at(priorities, i), b = priority_at(priorities, j);
        return min ? a < b : a > b;
    }
    void swap(uint32_t i, uint32_t j) const {
        swap_items(values, i, j);
        swap_items(priorities, i, j);
    }
    void sift_up(uint32_t i) const {
        while (i > 0) {
            uint32_t parent = (i - 1) / 2;
            if (!above(i, parent)) return;
            swap(i, parent);
            i = parent;
        }
    }
    void sift_down(uint32_t i, uint32_t n) const {
        for (;;) {
            uint32_t best = i, left = 2 * i + 1, right = left + 1;
            if (left < n && above(left, best)) best = left;
            if (right < n && above(right, best)) best = right;
            if (best == i) return;
            swap(i, best);
            i = best;
        }
    }
};

// The heap's fields, checked; false after raising. Arrays of different lengths
// would send the sift out of bounds, so they are refused as a replaced field.
bool load_heap(Value self, Heap* heap, bool changing) {
    heap->values = array_field(self, kValuesField);
    if (!heap->values) return false;
    heap->priorities = array_field(self, kPrioritiesField);
    if (!heap->priorities) return false;
    Value min = field(self, kMinField, T_BOOL);
    if (is_absent(min)) return false;
    heap->min = value_truthy(min);
    if (array_count(heap->values) != array_count(heap->priorities)) {
        raise_errorf(ERR_RUNTIME, "%s: internal fields '_values' and '_priorities' differ in length",
                     class_name_of(self));
        return false;
    }
    if (changing && (refuse_frozen(heap->values) || refuse_frozen(heap->priorities))) return false;
    return true;
}

Value pq_enqueue(Value* args, int) {
    Heap heap;
    if (!load_heap(args[0], &heap, true)) return nil_value();
    uint32_t n = array_count(heap.values);
    array_append(make_ref(heap.values), args[1], /*borrowed=*/true);
    if (array_count(heap.values) != n + 1) return nil_value();
    array_append(make_ref(heap.priorities), make_float(value_to_double(args[2])), /*borrowed=*/false);
    if (array_count(heap.priorities) != n + 1) {
        release(take_item(heap.values, n));  // keep the two arrays parallel
        return nil_value();
    }
    heap.sift_up(n);
    return self_result(args[0]);
}

Value pq_dequeue(Value* args, int) {
    Heap heap;
    if (!load_heap(args[0], &heap, true)) return nil_value();
    uint32_t n = array_count(heap.values);
    if (n == 0) return nil_value();
    heap.swap(0, n - 1);
    Value top = take_item(heap.values, n - 1);
    release(take_item(heap.priorities, n - 1));
    heap.sift_down(0, n - 1);
    return top;
}

Value pq_peek(Value* args, int) {
    Heap heap;
    if (!load_heap(args[0], &heap, false) || array_count(heap.values) == 0) return nil_value();
    return item(heap.values, 0);
}

Value pq_is_empty(Value* args, int) {
    Heap heap;
    return load_heap(args[0], &heap, false) ? make_bool(array_count(heap.values) == 0) : nil_value();
}

Value pq_size(Value* args, int) {
    Heap heap;
    return load_heap(args[0], &heap, false) ? make_int(array_count(heap.values)) : nil_value();
}

Value pq_clear(Value* args, int) {
    Heap heap;
    if (!load_heap(args[0], &heap, true)) return nil_value();
    clear_items(heap.values);
    clear_items(heap.priorities);
    return nil_value();
}

// The values in the order Dequeue would give them, the queue unchanged.
Value pq_to_array(Value* args, int) {
    Heap heap;
    if (!load_heap(args[0], &heap, false)) return nil_value();
    uint32_t n = array_count(heap.values);
    std::vector<uint32_t> order(n);
    for (uint32_t i = 0; i < n; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return heap.above(a, b); });
    Value out = make_array(n);
    if (!is_array(out)) return out;
    for (uint32_t i : order) array_append(out, item(heap.values, i), /*borrowed=*/false);
    return out;
}

// ---- HashMap ---------------------------------------------------------------------

Value hm_set(Value* args, int) {
    ObjHeader* o = map_field_object(args[0]);
    if (!o || refuse_frozen(o)) return nil_value();
    map_set(object_map(o), stored(args[1]), value_hash(args[1]), stored(args[2]), /*owning=*/true);
    return self_result(args[0]);
}

Value hm_get(Value* args, int argc) {
    PropertyMap* map = map_field(args[0]);
    if (!map) return nil_value();
    Value v = map_get(map, value_hash(args[1]));
    if (!is_absent(v)) return retained(v);
    return argc > 2 ? retained(args[2]) : nil_value();
}

Value hm_has(Value* args, int) {
    PropertyMap* map = map_field(args[0]);
    return map ? make_bool(!is_absent(map_get(map, value_hash(args[1])))) : nil_value();
}

Value hm_delete(Value* args, int) {
    ObjHeader* o = map_field_object(args[0]);
    if (!o || refuse_frozen(o)) return nil_value();
    return make_bool(map_remove(object_map(o), value_hash(args[1]), /*owning=*/true));
}

Value hm_clear(Value* args, int) {
    ObjHeader* o = map_field_object(args[0]);
    if (o && !refuse_frozen(o)) map_clear(object_map(o), /*owning=*/true);
    return nil_value();
}

Value hm_size(Value* args, int) {
    PropertyMap* map = map_field(args[0]);
    return map ? make_int(map->count) : nil_value();
}

Value hm_is_empty(Value* args, int) {
    PropertyMap* map = map_field(args[0]);
    return map ? make_bool(map->count == 0) : nil_value();
}

Value hm_keys(Value* args, int) {
    PropertyMap* map = map_field(args[0]);
    return map ? map_keys(map) : nil_value();
}

Value hm_values(Value* args, int) {
    PropertyMap* map = map_field(args[0]);
    if (!map) return nil_value();
    Value out = make_array(map->count);
    if (!is_array(out)) return out;
    each_entry(map, [&](Value, Value value, uint64_t) { array_append(out, retained(value), false); });
    return out;
}

// ---- Set ---------------------------------------------------------------------------

// Adds an element (borrowed); whether it was new.
bool set_insert(PropertyMap* map, Value element) {
    uint64_t hash = value_hash(element);
    if (!is_absent(map_get(map, hash))) return false;
    map_set(map, stored(element), hash, make_bool(true), /*owning=*/true);
    return true;
}

Value set_add(Value* args, int) {
    ObjHeader* o = map_field_object(args[0]);
    if (!o || refuse_frozen(o)) return nil_value();
    return make_bool(set_insert(object_map(o), args[1]));
}

// The other operand's map, or null after raising.
PropertyMap* other_set(Value other) {
    if (!is_kind(other, SET)) {
        raise_error(ERR_INVALID_ARGUMENTS, "Set operation expects another Set");
        return nullptr;
    }
    return map_field(other);
}

enum class SetOp { Union, Intersect, Difference };

template <SetOp op>
Value set_combine(Value* args, int) {
    PropertyMap* mine = map_field(args[0]);
    if (!mine) return nil_value();
    PropertyMap* theirs = other_set(args[1]);
    if (!theirs) return nil_value();
    Value out = new_instance(SET);
    PropertyMap* result = is_kind(out, SET) ? map_field(out) : nullptr;
    if (!result) return out;
    each_entry(mine, [&](Value key, Value, uint64_t hash) {
        bool in_other = !is_absent(map_get(theirs, hash));
        if (op == SetOp::Union || (op == SetOp::Intersect) == in_other) set_insert(result, key);
    });
    if (op == SetOp::Union) each_entry(theirs, [&](Value key, Value, uint64_t) { set_insert(result, key); });
    return out;
}

// ---- node chains (LinkedList, OrderedMap) ----------------------------------------

// A node's entry (borrowed; absent when missing).
Value node_get(Value node, uint64_t hash) { return map_get(object_map(as_obj(node)), hash); }

// Takes over `value`.
void node_put(Value node, Value key, uint64_t hash, Value value) {
    map_set(object_map(as_obj(node)), key, hash, value, /*owning=*/true);
}

Value new_node(Value key, Value value) {
    Value node = make_object();
    if (!is_ref_of(node, T_OBJECT)) return node;
    if (!is_absent(key)) node_put(node, g_key_key, kKeyKey, stored(key));
    node_put(node, g_key_val, kValKey, stored(value));
    node_put(node, g_key_next, kNextKey, nil_value());
    return node;
}

bool is_node(Value v) { return is_ref_of(v, T_OBJECT); }

// The next node or nil (borrowed); absent after raising for a link edited into
// something that is not a node.
Value node_next(Value self, Value node) {
    Value next = node_get(node, kNextKey);
    if (is_absent(next)) return nil_value();
    if (is_nil(next) || is_node(next)) return next;
    raise_errorf(ERR_RUNTIME, "%s: a node's '_next' was replaced (got %s)", class_name_of(self), type_name_of(next));
    return kAbsent;
}

Value node_value(Value node) { return retained(node_get(node, kValKey)); }

struct Chain {
    Value head, tail;  // borrowed; nil or node objects
};

// Head and tail, checked: both nodes or both nil; false after raising.
bool load_chain(Value self, Chain* chain) {
    chain->head = field(self, kHeadField, T_OBJECT | T_NIL);
    if (is_absent(chain->head)) return false;
    chain->tail = field(self, kTailField, T_OBJECT | T_NIL);
    if (is_absent(chain->tail)) return false;
    if (is_nil(chain->head) != is_nil(chain->tail)) {
        raise_errorf(ERR_RUNTIME, "%s: internal fields '_head' and '_tail' disagree", class_name_of(self));
        return false;
    }
    return true;
}

// Visits every node from the head; false after raising (bad link, or a chain
// longer than any list can be, which means a cycle).
template <typename Visit>
bool walk(Value self, Value head, Visit visit) {
    uint32_t steps = 0;
    for (Value node = head; !is_nil(node);) {
        if (++steps > kMaxChainSteps) {
            raise_errorf(ERR_RUNTIME, "%s: node chain is cyclic", class_name_of(self));
            return false;
        }
        if (!visit(node)) return true;
        node = node_next(self, node);
        if (is_absent(node)) return false;
    }
    return true;
}

// The node whose '_next' is `target` (borrowed), or absent after raising.
Value predecessor(Value self, Value head, Value target) {
    Value found = kAbsent;
    bool ok = walk(self, head, [&](Value node) {
        if (node_get(node, kNextKey) == target) {
            found = node;
            return false;
        }
        return true;
    });
    if (ok && is_absent(found)) {
        raise_errorf(ERR_RUNTIME, "%s: node chain no longer reaches its nodes", class_name_of(self));
    }
    return ok ? found : kAbsent;
}

// Appends a new node (taken over, also on failure) at the tail.
bool link_back(Value self, const Chain& chain, Value node) {
    if (is_nil(chain.tail)) {
        retain(node);
        set_field(self, kHeadField, node);
    } else {
        if (refuse_frozen(as_obj(chain.tail))) {
            release(node);
            return false;
        }
        retain(node);
        node_put(chain.tail, g_key_next, kNextKey, node);
    }
    set_field(self, kTailField, node);
    return true;
}

// ---- LinkedList --------------------------------------------------------------------

bool adjust_size(Value self, int64_t delta) {
    Value size = field(self, kSizeField, T_INT);
    if (is_absent(size)) return false;
    set_field(self, kSizeField, make_int(std::max<int64_t>(0, value_to_int(size) + delta)));
    return true;
}

Value ll_push_front(Value* args, int) {
    Value self = args[0];
    Chain chain;
    if (!load_chain(self, &chain) || is_absent(field(self, kSizeField, T_INT))) return nil_value();
    Value node = new_node(kAbsent, args[1]);
    if (!is_node(node)) return node;
    retain(chain.head);
    node_put(node, g_key_next, kNextKey, chain.head);
    if (is_nil(chain.tail)) {
        retain(node);
        set_field(self, kTailField, node);
    }
    set_field(self, kHeadField, node);
    adjust_size(self, 1);
    return self_result(self);
}

Value ll_push_back(Value* args, int) {
    Value self = args[0];
    Chain chain;
    if (!load_chain(self, &chain) || is_absent(field(self, kSizeField, T_INT))) return nil_value();
    Value node = new_node(kAbsent, args[1]);
    if (!is_node(node)) return node;
    if (!link_back(self, chain, node)) return nil_value();
    adjust_size(self, 1);
    return self_result(self);
}

Value ll_pop_front(Value* args, int) {
    Value self = args[0];
    Chain chain;
    if (!load_chain(self, &chain) || is_nil(chain.head)) return nil_value();
    if (is_absent(field(self, kSizeField, T_INT))) return nil_value();
    Value next = node_next(self, chain.head);
    if (is_absent(next)) return nil_value();
    Value head = chain.head;
    retain(head);  // the field's reference goes with the store below
    Value result = node_value(head);
    retain(next);
    if (is_nil(next)) set_field(self, kTailField, nil_value());
    set_field(self, kHeadField, next);
    release(head);
    adjust_size(self, -1);
    return result;
}

Value ll_pop_back(Value* args, int) {
    Value self = args[0];
    Chain chain;
    if (!load_chain(self, &chain) || is_nil(chain.head)) return nil_value();
    if (is_absent(field(self, kSizeField, T_INT))) return nil_value();
    Value result = node_value(chain.tail);
    if (chain.head == chain.tail) {
        set_field(self, kHeadField, nil_value());
        set_field(self, kTailField, nil_value());
    } else {
        Value prev = predecessor(self, chain.head, chain.tail);
        if (is_absent(prev) || refuse_frozen(as_obj(prev))) {
            release(result);
            return nil_value();
        }
        node_put(prev, g_key_next, kNextKey, nil_value());
        retain(prev);
        set_field(self, kTailField, prev);
    }
    adjust_size(self, -1);
    return result;
}

Value ll_peek_front(Value* args, int) {
    Chain chain;
    if (!load_chain(args[0], &chain) || is_nil(chain.head)) return nil_value();
    return node_value(chain.head);
}

Value ll_peek_back(Value* args, int) {
    Chain chain;
    if (!load_chain(args[0], &chain) || is_nil(chain.tail)) return nil_value();
    return node_value(chain.tail);
}

Value ll_is_empty(Value* args, int) {
    Chain chain;
    return load_chain(args[0], &chain) ? make_bool(is_nil(chain.head)) : nil_value();
}

Value ll_size(Value* args, int) { return retained(field(args[0], kSizeField, T_INT)); }

Value chain_clear(Value self) {
    Chain chain;
    if (!load_chain(self, &chain)) return nil_value();
    set_field(self, kHeadField, nil_value());
    set_field(self, kTailField, nil_value());
    return nil_value();
}

Value ll_clear(Value* args, int) {
    if (is_absent(field(args[0], kSizeField, T_INT))) return nil_value();
    chain_clear(args[0]);
    set_field(args[0], kSizeField, make_imm_int(0));
    return nil_value();
}

// Node values (or what `pick` makes of a node) from head to tail.
template <typename Pick>
Value chain_array(Value self, Pick pick) {
    Chain chain;
    if (!load_chain(self, &chain)) return nil_value();
    Value out = make_array(0);
    if (!is_array(out)) return out;
    if (!walk(self, chain.head, [&](Value node) {
            array_append(out, pick(node), /*borrowed=*/false);
            return true;
        })) {
        release(out);
        return nil_value();
    }
    return out;
}

Value ll_to_array(Value* args, int) { return chain_array(args[0], node_value); }

// ---- OrderedMap --------------------------------------------------------------------

Value entry_pair(Value node) {
    Value pair = make_array(2);
    if (!is_array(pair)) return pair;
    array_append(pair, node_get(node, kKeyKey), /*borrowed=*/true);
    array_append(pair, node_get(node, kValKey), /*borrowed=*/true);
    return pair;
}

Value node_key(Value node) { return retained(node_get(node, kKeyKey)); }

// The node stored for a key (borrowed), nil when there is none, absent after raising.
Value om_node(Value self, Value key, ObjHeader** map_object) {
    ObjHeader* o = map_field_object(self);
    if (!o) return kAbsent;
    if (map_object) *map_object = o;
    Value node = map_get(object_map(o), value_hash(key));
    if (is_absent(node)) return nil_value();
    if (is_node(node)) return node;
    raise_errorf(ERR_RUNTIME, "%s: an entry of '_map' was replaced (got %s)", class_name_of(self), type_name_of(node));
    return kAbsent;
}

Value om_set(Value* args, int) {
    Value self = args[0];
    ObjHeader* o = nullptr;
    Chain chain;
    if (!load_chain(self, &chain)) return nil_value();
    Value node = om_node(self, args[1], &o);
    if (is_absent(node) || refuse_frozen(o)) return nil_value();
    if (is_node(node)) {
        if (refuse_frozen(as_obj(node))) return nil_value();
        node_put(node, g_key_val, kValKey, stored(args[2]));
        return self_result(self);
    }
    node = new_node(args[1], args[2]);
    if (!is_node(node)) return node;
    retain(node);
    map_set(object_map(o), stored(args[1]), value_hash(args[1]), node, /*owning=*/true);
    if (!link_back(self, chain, node)) {
        map_remove(object_map(o), value_hash(args[1]), /*owning=*/true);
        return nil_value();
    }
    return self_result(self);
}

Value om_get(Value* args, int argc) {
    Value node = om_node(args[0], args[1], nullptr);
    if (is_absent(node)) return nil_value();
    if (is_node(node)) return node_value(node);
    return argc > 2 ? retained(args[2]) : nil_value();
}

Value om_has(Value* args, int) {
    Value node = om_node(args[0], args[1], nullptr);
    return is_absent(node) ? nil_value() : make_bool(is_node(node));
}

Value om_delete(Value* args, int) {
    Value self = args[0];
    ObjHeader* o = nullptr;
    Chain chain;
    if (!load_chain(self, &chain)) return nil_value();
    Value node = om_node(self, args[1], &o);
    if (is_absent(node) || refuse_frozen(o)) return nil_value();
    if (!is_node(node)) return make_bool(false);
    Value next = node_next(self, node);
    if (is_absent(next)) return nil_value();
    retain(node);  // the map's and the chain's references go below
    retain(next);
    if (node == chain.head) {
        if (is_nil(next)) set_field(self, kTailField, nil_value());
        set_field(self, kHeadField, next);
    } else {
        Value prev = predecessor(self, chain.head, node);
        if (is_absent(prev) || refuse_frozen(as_obj(prev))) {
            release(next);
            release(node);
            return nil_value();
        }
        if (node == chain.tail) {
            retain(prev);
            set_field(self, kTailField, prev);
        }
        node_put(prev, g_key_next, kNextKey, next);
    }
    map_remove(object_map(o), value_hash(args[1]), /*owning=*/true);
    release(node);
    return make_bool(true);
}

Value om_clear(Value* args, int) {
    ObjHeader* o = map_field_object(args[0]);
    Chain chain;
    if (!o || refuse_frozen(o) || !load_chain(args[0], &chain)) return nil_value();
    map_clear(object_map(o), /*owning=*/true);
    return chain_clear(args[0]);
}

Value om_size(Value* args, int) { return hm_size(args, 1); }
Value om_is_empty(Value* args, int) { return hm_is_empty(args, 1); }
Value om_keys(Value* args, int) { return chain_array(args[0], node_key); }
Value om_values(Value* args, int) { return chain_array(args[0], node_value); }
Value om_entries(Value* args, int) { return chain_array(args[0], entry_pair); }

Value om_first(Value* args, int) {
    Chain chain;
    if (!load_chain(args[0], &chain) || is_nil(chain.head)) return nil_value();
    return entry_pair(chain.head);
}

Value om_last(Value* args, int) {
    Chain chain;
    if (!load_chain(args[0], &chain) || is_nil(chain.tail)) return nil_value();
    return entry_pair(chain.tail);
}

// ---- the classes -------------------------------------------------------------------

constexpr uint32_t T_PRIORITY = T_INT | T_FLOAT;

struct MethodDef {
    const char* name;
    NativeFn fn;
    uint8_t required;
    uint8_t optional;
    uint32_t masks[2];  // of the arguments after the receiver; 0 = unchecked
};

constexpr MethodDef kStackMethods[] = {
    {"Push", seq_push, 1, 0, {}},         {"Pop", stack_pop, 0, 0, {}},     {"Peek", stack_peek, 0, 0, {}},
    {"IsEmpty", seq_is_empty, 0, 0, {}},  {"Size", seq_size, 0, 0, {}},     {"Clear", seq_clear, 0, 0, {}},
    {"ToArray", seq_to_array, 0, 0, {}},
};
constexpr MethodDef kQueueMethods[] = {
    {"Enqueue", seq_push, 1, 0, {}},     {"Dequeue", queue_dequeue, 0, 0, {}}, {"Peek", queue_peek, 0, 0, {}},
    {"IsEmpty", seq_is_empty, 0, 0, {}}, {"Size", seq_size, 0, 0, {}},         {"Clear", seq_clear, 0, 0, {}},
    {"ToArray", seq_to_array, 0, 0, {}},
};
constexpr MethodDef kPriorityMethods[] = {
    {"Enqueue", pq_enqueue, 2, 0, {0, T_PRIORITY}}, {"Dequeue", pq_dequeue, 0, 0, {}}, {"Peek", pq_peek, 0, 0, {}},
    {"IsEmpty", pq_is_empty, 0, 0, {}},             {"Size", pq_size, 0, 0, {}},       {"Clear", pq_clear, 0, 0, {}},
    {"ToArray", pq_to_array, 0, 0, {}},
};
constexpr MethodDef kHashMapMethods[] = {
    {"Set", hm_set, 2, 0, {}},   {"Get", hm_get, 1, 1, {}},     {"Has", hm_has, 1, 0, {}},
    {"Delete", hm_delete, 1, 0, {}}, {"Clear", hm_clear, 0, 0, {}}, {"Size", hm_size, 0, 0, {}},
    {"Keys", hm_keys, 0, 0, {}}, {"Values", hm_values, 0, 0, {}},
};
constexpr MethodDef kSetMethods[] = {
    {"Add", set_add, 1, 0, {}},
    {"Has", hm_has, 1, 0, {}},
    {"Remove", hm_delete, 1, 0, {}},
    {"Size", hm_size, 0, 0, {}},
    {"IsEmpty", hm_is_empty, 0, 0, {}},
    {"Clear", hm_clear, 0, 0, {}},
    {"ToArray", hm_keys, 0, 0, {}},
    {"Union", set_combine<SetOp::Union>, 1, 0, {}},
    {"Intersect", set_combine<SetOp::Intersect>, 1, 0, {}},
    {"Difference", set_combine<SetOp::Difference>, 1, 0, {}},
};
constexpr MethodDef kLinkedListMethods[] = {
    {"PushFront", ll_push_front, 1, 0, {}}, {"PushBack", ll_push_back, 1, 0, {}}, {"PopFront", ll_pop_front, 0, 0, {}},
    {"PopBack", ll_pop_back, 0, 0, {}},     {"PeekFront", ll_peek_front, 0, 0, {}},
    {"PeekBack", ll_peek_back, 0, 0, {}},
    {"IsEmpty", ll_is_empty, 0, 0, {}},     {"Size", ll_size, 0, 0, {}},          {"Clear", ll_clear, 0, 0, {}},
    {"ToArray", ll_to_array, 0, 0, {}},
};
constexpr MethodDef kOrderedMapMethods[] = {
    {"Set", om_set, 2, 0, {}},         {"Get", om_get, 1, 1, {}},         {"Has", om_has, 1, 0, {}},
    {"Delete", om_delete, 1, 0, {}},   {"Clear", om_clear, 0, 0, {}},     {"IsEmpty", om_is_empty, 0, 0, {}},
    {"Size", om_size, 0, 0, {}},       {"Keys", om_keys, 0, 0, {}},       {"Values", om_values, 0, 0, {}},
    {"Entries", om_entries, 0, 0, {}}, {"ToArray", om_entries, 0, 0, {}}, {"First", om_first, 0, 0, {}},
    {"Last", om_last, 0, 0, {}},
};

struct ClassDef {
    const MethodDef* methods;
    int method_count;
    const char* fields[3];  // declared with nil defaults, in slot order
};

template <int N>
constexpr ClassDef def(const MethodDef (&methods)[N], const char* f0, const char* f1 = nullptr,
                       const char* f2 = nullptr) {
    return ClassDef{methods, N, {f0, f1, f2}};
}

constexpr ClassDef kClassDefs[KIND_COUNT] = {
    def(kStackMethods, "_array"),
    def(kQueueMethods, "_array"),
    def(kHashMapMethods, "_map"),
    def(kPriorityMethods, "_values", "_priorities", "_min"),
    def(kPriorityMethods, "_values", "_priorities", "_min"),
    def(kLinkedListMethods, "_head", "_tail", "_size"),
    def(kSetMethods, "_map"),
    def(kOrderedMapMethods, "_map", "_head", "_tail"),
};

// One static row per method of each class; the 69 rows are made once per process
// and survive collections_release_classes.
constexpr int kMaxRows = 72;
constexpr int total_methods() {
    int n = 0;
    for (const ClassDef& d : kClassDefs) n += d.method_count;
    return n;
}
static_assert(total_methods() <= kMaxRows, "every class's rows fit");
Signature g_signatures[kMaxRows];
ObjHeader g_rows[kMaxRows];
int g_row_count = 0;
// Row index of each class's first method, so rows are made once per process.
int g_first_row[KIND_COUNT] = {-1, -1, -1, -1, -1, -1, -1, -1};

Value method_row(const MethodDef& m) {
    int index = g_row_count++;
    Signature& sig = g_signatures[index];
    sig = Signature{T_ANY, {m.masks[0], m.masks[1], 0, 0, 0, 0}, 0};
    reinterpret_cast<uint8_t*>(&sig)[29] = METHOD_INSTANCE;
    g_rows[index] = ObjHeader{F_STATIC, 0, T_BUILTIN, uint32_t(m.required | (m.optional << 8)),
                              reinterpret_cast<uint64_t>(m.fn), reinterpret_cast<uint64_t>(&sig)};
    return make_ref(&g_rows[index]);
}

bool ensure_node_keys() {
    if (is_absent(g_key_val)) g_key_val = make_static_string("_val");
    if (is_absent(g_key_next)) g_key_next = make_static_string("_next");
    if (is_absent(g_key_key)) g_key_key = make_static_string("_key");
    return is_string(g_key_val) && is_string(g_key_next) && is_string(g_key_key);
}

ObjHeader* ensure_class(Kind kind) {
    if (g_classes[kind]) return g_classes[kind];
    if (!ensure_node_keys()) return nullptr;
    const ClassDef& d = kClassDefs[kind];
    Value cls = make_class(make_static_string(kClassNames[kind]), 0);
    if (!is_ref_of(cls, T_CLASS)) return nullptr;
    if (g_first_row[kind] < 0) {
        g_first_row[kind] = g_row_count;
        for (int i = 0; i < d.method_count; ++i) method_row(d.methods[i]);
    }
    bool ok = true;
    for (int i = 0; i < d.method_count && ok; ++i) {
        const char* name = d.methods[i].name;
        ok = class_add_member(cls, MEMBER_METHOD, make_static_string(name), text_hash(name),
                              make_ref(&g_rows[g_first_row[kind] + i]));
    }
    for (const char* name : d.fields) {
        if (!name || !ok) continue;
        ok = class_add_member(cls, MEMBER_FIELD, make_static_string(name), text_hash(name), nil_value());
    }
    if (ok) class_resolve(as_obj(cls));
    if (!ok || error_pending()) {
        release(cls);
        return nullptr;
    }
    as_obj(cls)->flags |= F_STATIC;  // shared by every instance: never counted or freed
    g_classes[kind] = as_obj(cls);
    return g_classes[kind];
}

void unmark_static(Value v) {
    if (is_ref(v)) as_obj(v)->flags &= ~F_STATIC;
}

// ---- the module ----------------------------------------------------------------------

Value coll_stack(Value*, int) { return new_instance(STACK); }
Value coll_queue(Value*, int) { return new_instance(QUEUE); }
Value coll_priority_queue(Value*, int) { return new_instance(PRIORITY_QUEUE); }
Value coll_max_priority_queue(Value*, int) { return new_instance(MAX_PRIORITY_QUEUE); }
Value coll_linked_list(Value*, int) { return new_instance(LINKED_LIST); }
Value coll_ordered_map(Value*, int) { return new_instance(ORDERED_MAP); }

// HashMap(object): starts with a copy of the object's entries.
Value coll_hash_map(Value* args, int argc) {
    Value self = new_instance(HASH_MAP);
    if (argc < 1 || !is_ref_of(args[0], T_OBJECT) || !is_kind(self, HASH_MAP)) return self;
    PropertyMap* map = map_field(self);
    each_entry(object_map(as_obj(args[0])), [&](Value key, Value value, uint64_t hash) {
        map_set(map, is_absent(key) ? kAbsent : stored(key), hash, stored(value), /*owning=*/true);
    });
    return self;
}

// Set(array): starts with the array's distinct elements.
Value coll_set(Value* args, int argc) {
    Value self = new_instance(SET);
    if (argc < 1 || !is_array(args[0]) || !is_kind(self, SET)) return self;
    PropertyMap* map = map_field(self);
    const ObjHeader* a = as_obj(args[0]);
    for (uint32_t i = 0; i < array_count(a); ++i) {
        Value element = item(a, i);
        set_insert(map, element);
        release(element);
    }
    return self;
}

constexpr Signature kMake{T_INSTANCE, {}};
constexpr Signature kMakeHashMap{T_INSTANCE, {T_OBJECT | T_NIL}};
constexpr Signature kMakeSet{T_INSTANCE, {T_ARRAY | T_NIL}};

}  // namespace

// Catalogue order.
constexpr BuiltinNative kCollectionsNatives[] = {
    {"Stack", coll_stack, &kMake},
    {"Queue", coll_queue, &kMake},
    {"HashMap", coll_hash_map, &kMakeHashMap},
    {"PriorityQueue", coll_priority_queue, &kMake},
    {"MaxPriorityQueue", coll_max_priority_queue, &kMake},
    {"LinkedList", coll_linked_list, &kMake},
    {"Set", coll_set, &kMakeSet},
    {"OrderedMap", coll_ordered_map, &kMake},
};

void collections_module_register() { builtin_register_module("Collections", kCollectionsNatives); }

ObjHeader* collections_class(const char* name) {
    for (int k = 0; k < KIND_COUNT; ++k) {
        if (std::strcmp(name, kClassNames[k]) == 0) return ensure_class(Kind(k));
    }
    return nullptr;
}

void collections_release_classes() {
    for (ObjHeader*& cls : g_classes) {
        if (!cls) continue;
        // The resolved table only borrowed the static names; it goes while they are
        // still static, so each name is released once, by its own entry.
        class_discard_resolved(cls);
        ClassRecord* record = class_record(cls);
        unmark_static(record->name);
        for (uint32_t i = 0; i < record->own_count; ++i) unmark_static(record->own_members[i].name);
        cls->flags &= ~F_STATIC;
        cls->ref_count = 1;
        release(make_ref(cls));
        cls = nullptr;
    }
    for (Value* key : {&g_key_val, &g_key_next, &g_key_key}) {
        unmark_static(*key);
        release(*key);
        *key = kAbsent;
    }
}

void collections_forget_classes() {
    for (ObjHeader*& cls : g_classes) cls = nullptr;
    g_key_val = g_key_next = g_key_key = kAbsent;
}

}  // namespace tarvik
