// runtime/type_ops.h: per-type operations for the value types that upper rooms own
// (functions, builtins, modules, classes, instances, fibers, FFI functions, bound
// methods, streams, the rendering of exceptions). The runtime handles its own types
// directly and consults this table for the rest; an upper room fills its row at
// start-up.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace tarvik {

struct TypeOps {
    // Frees what the payload owns, releasing every value it references.
    void (*release_contents)(ObjHeader* obj) = nullptr;
    // Debug rendering to standard output (no newline).
    void (*render)(Value v) = nullptr;
    // Deep equality of two distinct values of this type (the caller counts nesting).
    bool (*deep_equal)(Value a, Value b) = nullptr;
    // New reference to an independent copy; null means "not cloneable".
    Value (*clone)(Value v) = nullptr;
    // The name value of a function (borrowed; absent when it has none). Used by the
    // value hash and the text of a value.
    Value (*name)(Value v) = nullptr;
};

// Row for a type bit (a single-bit mask below T_FREED); rows start empty.
TypeOps& type_ops(uint32_t type_bit);

// Runs before an instance's slot is released: the class destructor (engine).
void type_ops_set_destructor(void (*run_destructor)(ObjHeader* instance));
extern void (*g_run_destructor)(ObjHeader* instance);

}  // namespace tarvik
