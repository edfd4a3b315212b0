// runtime/class_record.h: the class record behind a class value and its member
// table. Linking to base classes, instances and lookup rules live in the engine.
//
//   class value: type T_CLASS, payload b = ClassRecord*
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

enum MemberKind : uint8_t { MEMBER_FIELD = 0, MEMBER_METHOD = 1, MEMBER_STATIC = 2 };

struct MemberEntry {
    uint64_t name_hash;   // XXH64 of the member name
    Value value;          // field default, method callable or constant (one reference)
    Value name;           // the name string (one reference)
    uint16_t field_index; // a field's slot in instances; 0 for other kinds
    uint8_t kind;
    uint8_t pad[5];
};
static_assert(sizeof(MemberEntry) == 32);

struct ClassRecord {
    Value name;                // the class name (one reference)
    uint64_t base_name_hash;   // 0 when there is no base
    ObjHeader* base;           // the base class once linked (one reference unless static)
    MemberEntry* own_members;  // declared in this class
    uint32_t own_count;
    uint32_t own_capacity;
    MemberEntry* resolved_members;  // after inheritance; each entry holds its own references
    uint32_t resolved_count;
    uint8_t resolved;
    uint8_t attribute;
    uint16_t field_count;
    Value constructor;         // the resolved "Constructor", or absent
};

inline ClassRecord* class_record(const ObjHeader* obj) { return reinterpret_cast<ClassRecord*>(obj->b); }

// A new class value with an empty member table (nil after raising code 8). Takes
// over the name reference.
Value make_class(Value name, uint64_t base_name_hash);

// Adds a member, taking over the name and value references; a member with the same
// name hash is replaced (its old references released). Methods record the class as
// their owner. Returns false after raising code 8.
bool class_add_member(Value cls, uint8_t kind, Value name, uint64_t name_hash, Value value);

// How rooms below the engine read the fields of classes and instances in slot order
// (the Object module); the engine installs it, resolving classes as needed.
struct ClassFieldAccess {
    // Number of fields of a class, or of an instance's slots; -1 after raising.
    int (*count)(Value class_or_instance);
    // Name and value (both borrowed, absent when unset) of field slot `index`:
    // an instance's current value or a class's default.
    void (*field)(Value class_or_instance, uint32_t index, Value* name, Value* value);
};
void class_set_field_access(const ClassFieldAccess* access);
// The installed access, or null.
const ClassFieldAccess* class_field_access();

// Releases everything a class record owns.
void class_release_contents(ObjHeader* cls);

}  // namespace tarvik
