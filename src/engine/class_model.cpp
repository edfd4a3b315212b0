// engine/class_model.cpp: base linking, override marking, member resolution,
// instances, bound methods, and the type rows of instances, bound methods and
// classes.
#include "engine/class_model.h"

#include <cinttypes>
#include <cstdio>

#include "runtime/alloc.h"
#include "runtime/array.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/function.h"
#include "runtime/heap.h"
#include "runtime/operators.h"
#include "runtime/string.h"
#include "runtime/type_ops.h"
#include "runtime/value_ops.h"

namespace tarvik {

namespace {

// Linking and resolving recurse along the base chain; this bounds the native stack.
constexpr int kMaxClassDepth = 256;
constexpr uint32_t kMaxFieldCount = 0xFFFF;  // the u16 field count of instances

Value (*g_global_lookup)(uint64_t hash) = nullptr;
int g_class_depth = 0;

struct ClassDepthGuard {
    ClassDepthGuard() : entered(g_class_depth < kMaxClassDepth) {
        if (entered) {
            ++g_class_depth;
        } else {
            raise_nesting();
        }
    }
    ~ClassDepthGuard() {
        if (entered) --g_class_depth;
    }
    ClassDepthGuard(const ClassDepthGuard&) = delete;
    bool entered;
};

// Whether `needle` is `start` or lies on the bases already linked above it. Linked
// chains never loop (class_base refuses a link that would close one), so the walk
// ends.
bool linked_chain_contains(const ObjHeader* start, const ObjHeader* needle) {
    for (const ObjHeader* c = start; c; c = class_record(c) ? class_record(c)->base : nullptr) {
        if (c == needle) return true;
    }
    return false;
}

// Ancestors' script methods that this class redefines get the overridden flag.
void mark_overrides(ObjHeader* cls) {
    const ClassRecord* record = class_record(cls);
    for (uint32_t i = 0; i < record->own_count; ++i) {
        const MemberEntry& member = record->own_members[i];
        if (member.kind != MEMBER_METHOD) continue;
        int steps = 0;
        for (ObjHeader* a = class_base(cls); a && steps < kMaxClassDepth; a = class_base(a), ++steps) {
            const MemberEntry* own = class_find_own_member(a, member.name_hash);
            if (!own || own->kind != MEMBER_METHOD || !is_ref_of(own->value, T_FUNCTION)) continue;
            if (FunctionRecord* fn = function_record(as_obj(own->value))) fn->function_flags |= METHOD_OVERRIDDEN;
        }
    }
}

MemberEntry* find_entry(MemberEntry* table, uint32_t count, uint64_t hash) {
    for (uint32_t i = 0; i < count; ++i) {
        if (table[i].name_hash == hash) return &table[i];
    }
    return nullptr;
}

MemberEntry retained_copy(const MemberEntry& entry) {
    retain(entry.value);
    retain(entry.name);
    return entry;
}

void print_name_prefix(const char* label, Value name) {
    if (!is_string(name)) return;
    const ObjHeader* s = as_obj(name);
    std::fputs(label, stdout);
    std::fwrite(string_chars(s), 1, string_length(s), stdout);
    std::fputs(", ", stdout);
}

// ---- type rows ---------------------------------------------------------------

void instance_release_contents(ObjHeader* obj) {
    InstanceRecord* record = instance_record(obj);
    if (!record) return;
    obj->b = 0;
    for (uint32_t i = 0; i < record->field_count; ++i) release(record->fields[i]);
    if (record->cls) release(make_ref(record->cls));
    checked_free(record);
}

void instance_render(Value v) {
    const InstanceRecord* record = instance_record(as_obj(v));
    if (!record) {
        std::fputs("{}", stdout);
        return;
    }
    print_name_prefix("Instance: ", record->class_name);
    std::fputc('{', stdout);
    for (uint32_t i = 0; i < record->field_count; ++i) {
        if (i > 0) std::fputs(", ", stdout);
        value_render(record->fields[i]);
    }
    std::fputc('}', stdout);
}

bool instance_deep_equal(Value a, Value b) {
    const InstanceRecord* x = instance_record(as_obj(a));
    const InstanceRecord* y = instance_record(as_obj(b));
    if (!x || !y || x->cls != y->cls || x->field_count != y->field_count) return false;
    for (uint32_t i = 0; i < x->field_count; ++i) {
        if (!value_deep_equal(x->fields[i], y->fields[i])) return false;
    }
    return true;
}

void bound_method_release_contents(ObjHeader* obj) {
    BoundMethodPair* pair = bound_method_pair(obj);
    if (!pair) return;
    obj->b = 0;
    release(pair->receiver);
    release(pair->callable);
    checked_free(pair);
}

// Own members only: the base follows in its own rendering.
void class_render(Value v) {
    const ClassRecord* record = class_record(as_obj(v));
    if (!record) {
        std::fputs("{}", stdout);
        return;
    }
    print_name_prefix("Class: ", record->name);
    std::fputc('{', stdout);
    for (uint32_t i = 0; i < record->own_count; ++i) {
        if (i > 0) std::fputs(", ", stdout);
        value_render(record->own_members[i].value);
    }
    std::fputc('}', stdout);
    if (record->base) {
        std::printf(". Proto (%" PRIX64 ")=", record->base_name_hash);
        value_render(make_ref(record->base));
    }
}

// Copies the own members directly rather than through class_add_member, which
// would make the clone the owner of the shared method functions.
Value class_clone(Value v) {
    const ClassRecord* source = class_record(as_obj(v));
    Value name = is_absent(source->name) ? kAbsent : clone_value(source->name);
    Value copy = make_class(name, source->base_name_hash);
    if (!is_ref_of(copy, T_CLASS)) return copy;
    ClassRecord* target = class_record(as_obj(copy));
    target->attribute = source->attribute;
    target->field_count = source->field_count;
    if (source->base) {
        retain(make_ref(source->base));
        target->base = source->base;
    }
    if (source->own_count == 0) return copy;
    auto* members = static_cast<MemberEntry*>(checked_calloc(source->own_count, sizeof(MemberEntry)));
    if (!members) {
        release(copy);
        return nil_value();
    }
    target->own_members = members;
    target->own_capacity = source->own_count;
    for (uint32_t i = 0; i < source->own_count; ++i) {
        const MemberEntry& from = source->own_members[i];
        MemberEntry& to = members[target->own_count++];
        to = from;
        to.value = is_absent(from.value) ? kAbsent : clone_value(from.value);
        to.name = is_absent(from.name) ? kAbsent : clone_value(from.name);
        if (error_pending()) {
            release(copy);
            return nil_value();
        }
    }
    return copy;
}

}  // namespace

void class_model_set_global_lookup(Value (*lookup)(uint64_t hash)) { g_global_lookup = lookup; }

void class_model_types_register() {
    TypeOps& instance = type_ops(T_INSTANCE);
    instance.release_contents = instance_release_contents;
    instance.render = instance_render;
    instance.deep_equal = instance_deep_equal;
    type_ops(T_BOUND_METHOD).release_contents = bound_method_release_contents;
    TypeOps& cls = type_ops(T_CLASS);
    cls.release_contents = class_release_contents;
    cls.render = class_render;
    cls.clone = class_clone;
}

uint32_t method_flags_of(Value callable) {
    if (is_ref_of(callable, T_FUNCTION)) {
        const FunctionRecord* fn = function_record(as_obj(callable));
        return fn ? fn->function_flags : 0;
    }
    if (is_ref_of(callable, T_BUILTIN)) {
        const auto* signature = reinterpret_cast<const uint8_t*>(as_obj(callable)->b);
        return signature ? signature[29] : 0;
    }
    return 0;
}

bool is_method_value(Value v) {
    uint32_t type = value_type(v);
    return type == T_FUNCTION || type == T_BUILTIN || type == T_FFI_FUNCTION;
}

ObjHeader* class_base(ObjHeader* cls) {
    ClassRecord* record = class_record(cls);
    if (!record) return nullptr;
    if (record->base || record->base_name_hash == 0 || !g_global_lookup) return record->base;
    Value found = g_global_lookup(record->base_name_hash);
    if (!is_ref_of(found, T_CLASS)) return nullptr;
    ObjHeader* candidate = as_obj(found);
    if (linked_chain_contains(candidate, cls)) {
        raise_error(ERR_RUNTIME, "Class hierarchy forms a cycle");
        return nullptr;
    }
    ClassDepthGuard guard;
    if (!guard.entered) return nullptr;
    retain(found);
    record->base = candidate;
    mark_overrides(cls);
    return candidate;
}

void class_resolve(ObjHeader* cls) {
    ClassRecord* record = class_record(cls);
    if (!record || record->resolved) return;
    ClassDepthGuard guard;
    if (!guard.entered) return;
    const ClassRecord* inherited = nullptr;
    if (ObjHeader* base = class_base(cls)) {
        class_resolve(base);
        inherited = class_record(base);
    }
    uint32_t inherited_count = inherited ? inherited->resolved_count : 0;
    uint32_t capacity = inherited_count + record->own_count;
    MemberEntry* table = nullptr;
    if (capacity) {
        table = static_cast<MemberEntry*>(checked_calloc(capacity, sizeof(MemberEntry)));
        if (!table) return;
    }
    uint32_t count = 0;
    uint32_t fields = inherited ? inherited->field_count : 0;
    for (; count < inherited_count; ++count) table[count] = retained_copy(inherited->resolved_members[count]);
    for (uint32_t i = 0; i < record->own_count; ++i) {
        const MemberEntry& own = record->own_members[i];
        if (MemberEntry* entry = find_entry(table, count, own.name_hash)) {
            if (entry->kind != own.kind) {
                print_error("Class member override changes kind (field/method/const mismatch).\n");
                raise_error(ERR_RUNTIME);
                continue;
            }
            Value old_value = entry->value, old_name = entry->name;
            entry->value = own.value;
            entry->name = own.name;
            retain(own.value);
            retain(own.name);
            release(old_value);
            release(old_name);
            continue;
        }
        if (own.kind == MEMBER_FIELD && fields >= kMaxFieldCount) {
            raise_error(ERR_SIZE_LIMIT);
            continue;
        }
        MemberEntry& added = table[count++];
        added = retained_copy(own);
        added.field_index = own.kind == MEMBER_FIELD ? uint16_t(fields++) : 0;
    }
    record->resolved_members = table;
    record->resolved_count = count;
    record->field_count = uint16_t(fields);
    for (uint32_t i = 0; i < count; ++i) {
        if (table[i].kind == MEMBER_METHOD && table[i].name_hash == kConstructorHash) {
            retain(table[i].value);
            release(record->constructor);
            record->constructor = table[i].value;
            break;
        }
    }
    record->resolved = 1;
}

const MemberEntry* class_find_member(ObjHeader* cls, uint64_t hash) {
    class_resolve(cls);
    ClassRecord* record = class_record(cls);
    return record ? find_entry(record->resolved_members, record->resolved_count, hash) : nullptr;
}

const MemberEntry* class_find_own_member(const ObjHeader* cls, uint64_t hash) {
    const ClassRecord* record = class_record(cls);
    return record ? find_entry(record->own_members, record->own_count, hash) : nullptr;
}

void class_discard_resolved(ObjHeader* cls) {
    ClassRecord* record = class_record(cls);
    if (!record) return;
    // Detach first: a release below may run a destructor that looks at this class.
    MemberEntry* table = record->resolved_members;
    uint32_t count = record->resolved_count;
    Value constructor = record->constructor;
    record->resolved_members = nullptr;
    record->resolved_count = 0;
    record->resolved = 0;
    record->field_count = 0;
    record->constructor = kAbsent;
    for (uint32_t i = 0; i < count; ++i) {
        release(table[i].value);
        release(table[i].name);
    }
    checked_free(table);
    release(constructor);
}

bool class_set_member(Value cls, uint64_t hash, uint8_t kind, Value value, Value name) {
    retain(value);
    retain(name);
    bool ok = class_add_member(cls, kind, name, hash, container_store_form(value));
    class_discard_resolved(as_obj(cls));
    return ok;
}

bool class_derives_from(ObjHeader* cls, const ObjHeader* target, int max_classes) {
    for (int visited = 0; cls && visited < max_classes; ++visited) {
        if (cls == target) return true;
        if (visited + 1 < max_classes) cls = class_base(cls);
    }
    return false;
}

Value class_instantiate(Value cls) {
    if (!is_ref_of(cls, T_CLASS) || !class_record(as_obj(cls))) {
        raise_error(ERR_INVALID_ARGUMENTS);
        return nil_value();
    }
    ObjHeader* c = as_obj(cls);
    class_resolve(c);
    const ClassRecord* klass = class_record(c);
    uint16_t field_count = klass->field_count;
    size_t bytes = sizeof(InstanceRecord) + size_t(field_count) * sizeof(Value);
    auto* record = static_cast<InstanceRecord*>(checked_alloc(bytes));
    if (!record) return nil_value();
    record->class_name = klass->name;
    record->base_name_hash = klass->base_name_hash;
    record->cls = c;
    retain(cls);
    record->attribute = klass->attribute;
    record->field_count = field_count;
    record->fields = reinterpret_cast<Value*>(record + 1);
    for (uint32_t i = 0; i < field_count; ++i) record->fields[i] = nil_value();
    ObjHeader* obj = heap_alloc();
    obj->type = T_INSTANCE;
    obj->aux = 0;
    obj->a = 0;
    obj->b = reinterpret_cast<uint64_t>(record);
    // Allocation can run a destructor that changes this class, so the table is
    // re-read each step and each default held while it is cloned.
    for (uint32_t i = 0; i < klass->resolved_count; ++i) {
        const MemberEntry& entry = klass->resolved_members[i];
        if (entry.kind != MEMBER_FIELD || entry.field_index >= field_count) continue;
        uint16_t slot = entry.field_index;
        Value fallback = entry.value;
        retain(fallback);
        Value copy = clone_value(fallback);
        release(fallback);
        Value old = record->fields[slot];
        record->fields[slot] = copy;
        release(old);
    }
    return make_ref(obj);
}

Value* instance_field_slot(ObjHeader* instance, uint64_t hash) {
    InstanceRecord* record = instance_record(instance);
    if (!record || !record->cls) return nullptr;
    const MemberEntry* entry = class_find_member(record->cls, hash);
    if (!entry || entry->kind != MEMBER_FIELD || entry->field_index >= record->field_count) return nullptr;
    return &record->fields[entry->field_index];
}

bool instance_field_set(ObjHeader* instance, uint64_t hash, Value value) {
    Value* slot = instance_field_slot(instance, hash);
    if (!slot) return false;
    retain(value);
    Value stored = container_store_form(value);
    Value old = *slot;
    *slot = stored;
    release(old);
    return true;
}

bool instance_of(Value instance, const ObjHeader* cls) {
    if (!is_ref_of(instance, T_INSTANCE)) return false;
    const InstanceRecord* record = instance_record(as_obj(instance));
    return record && class_derives_from(record->cls, cls, kInstanceOfClasses);
}

Value make_bound_method(Value receiver, Value callable) {
    auto* pair = static_cast<BoundMethodPair*>(checked_alloc(sizeof(BoundMethodPair)));
    if (!pair) return nil_value();
    retain(receiver);
    retain(callable);
    pair->receiver = receiver;
    pair->callable = callable;
    ObjHeader* obj = heap_alloc();
    obj->type = T_BOUND_METHOD;
    obj->aux = 0;
    obj->a = 0;
    obj->b = reinterpret_cast<uint64_t>(pair);
    return make_ref(obj);
}

}  // namespace tarvik
