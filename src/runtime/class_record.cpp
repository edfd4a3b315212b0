// runtime/class_record.cpp: class values and their own member tables.
#include "runtime/class_record.h"

#include "runtime/alloc.h"
#include "runtime/function.h"
#include "runtime/heap.h"

namespace tarvik {

namespace {
const ClassFieldAccess* g_field_access = nullptr;
}  // namespace

void class_set_field_access(const ClassFieldAccess* access) { g_field_access = access; }
const ClassFieldAccess* class_field_access() { return g_field_access; }

Value make_class(Value name, uint64_t base_name_hash) {
    auto* record = static_cast<ClassRecord*>(checked_alloc(sizeof(ClassRecord)));
    if (!record) {
        release(name);
        return nil_value();
    }
    record->name = name;
    record->base_name_hash = base_name_hash;
    ObjHeader* obj = heap_alloc();
    obj->type = T_CLASS;
    obj->aux = 0;
    obj->a = 0;
    obj->b = reinterpret_cast<uint64_t>(record);
    return make_ref(obj);
}

bool class_add_member(Value cls, uint8_t kind, Value name, uint64_t name_hash, Value value) {
    ClassRecord* record = class_record(as_obj(cls));
    if (is_ref_of(value, T_FUNCTION)) function_record(as_obj(value))->owner_class = as_obj(cls);
    for (uint32_t i = 0; i < record->own_count; ++i) {
        MemberEntry& entry = record->own_members[i];
        if (entry.name_hash != name_hash) continue;
        Value old_value = entry.value, old_name = entry.name;
        uint16_t field_index = entry.field_index;
        bool was_field = entry.kind == MEMBER_FIELD;
        entry.value = value;
        entry.name = name;
        entry.kind = kind;
        if (kind == MEMBER_FIELD) {
            entry.field_index = was_field ? field_index : record->field_count++;
        } else {
            entry.field_index = 0;
        }
        release(old_value);
        release(old_name);
        return true;
    }
    if (record->own_count == record->own_capacity) {
        uint32_t capacity = record->own_capacity ? record->own_capacity * 2 : 8;
        auto* grown = static_cast<MemberEntry*>(checked_calloc(capacity, sizeof(MemberEntry)));
        if (!grown) {
            release(name);
            release(value);
            return false;
        }
        if (record->own_count) std::memcpy(grown, record->own_members, record->own_count * sizeof(MemberEntry));
        checked_free(record->own_members);
        record->own_members = grown;
        record->own_capacity = capacity;
    }
    MemberEntry& entry = record->own_members[record->own_count++];
    entry.name_hash = name_hash;
    entry.value = value;
    entry.name = name;
    entry.kind = kind;
    entry.field_index = kind == MEMBER_FIELD ? record->field_count++ : 0;
    return true;
}

void class_release_contents(ObjHeader* cls) {
    ClassRecord* record = class_record(cls);
    if (!record) return;
    for (uint32_t i = 0; i < record->own_count; ++i) {
        release(record->own_members[i].value);
        release(record->own_members[i].name);
    }
    checked_free(record->own_members);
    // Resolved entries are copies holding their own references (the engine's class model).
    for (uint32_t i = 0; i < record->resolved_count; ++i) {
        release(record->resolved_members[i].value);
        release(record->resolved_members[i].name);
    }
    checked_free(record->resolved_members);
    release(record->constructor);
    release(record->name);
    if (record->base && !(record->base->flags & F_STATIC)) release(make_ref(record->base));
    checked_free(record);
    cls->b = 0;
}

}  // namespace tarvik
