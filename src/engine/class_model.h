// engine/class_model.h: the class model behind property access and method calls:
// linking a class to its base, the resolved member table, instances and their
// fields, bound methods and instance-of tests. The class record itself and its own
// member table live in runtime/class_record.h.
//
//   instance value:     type T_INSTANCE,     payload b = InstanceRecord* (fields follow it)
//   bound-method value: type T_BOUND_METHOD, payload b = BoundMethodPair*
//
// Ownership of the resolved table: each resolved entry holds its own reference to
// its value and its name (a copy, not a borrow), so a base class changing or
// dying never leaves a subclass's table pointing at released values.
#pragma once

#include <cstdint>

#include "runtime/class_record.h"
#include "runtime/value.h"

namespace tarvik {

// XXH64 of the member names the model looks for.
constexpr uint64_t kConstructorHash = 0x9A9C0E93AC390B36ull;
constexpr uint64_t kDestructorHash = 0xB162A24A23751617ull;

// Method flags: a script function's flags word, or byte 29 of a builtin's signature.
constexpr uint32_t METHOD_NATIVE = 0x1;       // compiled to machine code
constexpr uint32_t METHOD_INSTANCE = 0x2;     // receives the receiver as argument 0
constexpr uint32_t METHOD_STATIC = 0x4;
constexpr uint32_t METHOD_OVERRIDDEN = 0x200; // a subclass defines a method of this name

// Instance-of searches visit the instance's class and this many classes in all.
constexpr int kInstanceOfClasses = 8;

//  0           8                16      24    25  26       28     32
//  | class name | base name hash | class | attr | - | fields# | -    | fields -> | slots...
struct InstanceRecord {
    Value class_name;         // the class's name (not counted: the class outlives us)
    uint64_t base_name_hash;
    ObjHeader* cls;           // one reference (none for a static class); may be null
    uint8_t attribute;
    uint8_t pad0;
    uint16_t field_count;
    uint32_t pad1;
    Value* fields;            // the field_count slots right after this record
};
static_assert(sizeof(InstanceRecord) == 40);

struct BoundMethodPair {
    Value receiver;  // one reference
    Value callable;  // one reference; absent when unset
};
static_assert(sizeof(BoundMethodPair) == 16);

inline InstanceRecord* instance_record(const ObjHeader* obj) { return reinterpret_cast<InstanceRecord*>(obj->b); }
inline BoundMethodPair* bound_method_pair(const ObjHeader* obj) { return reinterpret_cast<BoundMethodPair*>(obj->b); }

// Installs the global lookup the base search uses: it answers the value bound to a
// name hash in the current module's tables and then the enclosing ones up to the
// VM's globals (borrowed; absent or nil when unbound).
void class_model_set_global_lookup(Value (*lookup)(uint64_t hash));

// Fills the type rows for instances (release, rendering, deep equality), bound
// methods (release) and classes (rendering, cloning). Called once at VM start,
// after value_types_register. Destructors are not run here: the engine installs
// them with type_ops_set_destructor.
void class_model_types_register();

// The method flags of a callable (script function or builtin); 0 for anything else.
uint32_t method_flags_of(Value callable);
// Function, builtin or FFI function: the values that become methods (kind 1) when
// stored into a class.
bool is_method_value(Value v);

// The base class, linked on first use through the global lookup (borrowed; null
// when the class has none or it cannot be found). Linking marks the base methods
// this class overrides. A lookup that would make the chain a cycle raises code 6
// and links nothing.
ObjHeader* class_base(ObjHeader* cls);

// Builds the resolved table once (idempotent). A member overriding an inherited one
// with another kind prints the override line and raises code 6; the inherited entry
// stays. Raises 10 past 65,535 fields and 15 past 256 nested bases.
void class_resolve(ObjHeader* cls);
// The resolved entry for `hash` (resolving first), or null. Borrowed; valid until
// the class's members change.
const MemberEntry* class_find_member(ObjHeader* cls, uint64_t hash);
// The entry among the class's own members (not inherited ones), or null.
const MemberEntry* class_find_own_member(const ObjHeader* cls, uint64_t hash);
// Frees the resolved table (resolved = 0, field count 0, no constructor), so that
// the next use resolves again.
void class_discard_resolved(ObjHeader* cls);
// Sets an own member (borrowing name and value) and discards the resolved table.
// Returns false after raising.
bool class_set_member(Value cls, uint64_t hash, uint8_t kind, Value value, Value name);

// True when `cls` is `target` or one of the bases met within max_classes classes in
// all (the class itself counts as the first).
bool class_derives_from(ObjHeader* cls, const ObjHeader* target, int max_classes);

// A new instance (one reference): fields nil, then clones of the field defaults.
// The constructor is not called. Nil after raising (a non-class raises code 3).
Value class_instantiate(Value cls);
// The slot of a declared field of the instance's class, or null (not a field, or
// beyond the instance's own field count).
Value* instance_field_slot(ObjHeader* instance, uint64_t hash);
// instance_field_slot for the interpreter's field instructions: the resolved table is
// searched inline once the class is resolved.
inline Value* instance_field_slot_fast(ObjHeader* instance, uint64_t hash) {
    InstanceRecord* record = instance_record(instance);
    if (!record || !record->cls) return nullptr;
    const ClassRecord* cls = class_record(record->cls);
    if (!cls || !cls->resolved) return instance_field_slot(instance, hash);
    for (uint32_t i = 0; i < cls->resolved_count; ++i) {
        const MemberEntry& e = cls->resolved_members[i];
        if (e.name_hash != hash) continue;
        if (e.kind != MEMBER_FIELD || e.field_index >= record->field_count) return nullptr;
        return &record->fields[e.field_index];
    }
    return nullptr;
}

// Stores into a declared field (borrowing value; numeric boxes are copied, the old
// value released). False, without raising, when there is no such field.
bool instance_field_set(ObjHeader* instance, uint64_t hash, Value value);

// True when `instance` is an instance whose class is `cls` or has it among the
// bases met within kInstanceOfClasses classes (bases are linked as needed).
bool instance_of(Value instance, const ObjHeader* cls);

// A new bound method (one reference); both parts are borrowed and retained.
Value make_bound_method(Value receiver, Value callable);

}  // namespace tarvik
