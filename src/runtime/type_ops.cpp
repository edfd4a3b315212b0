// runtime/type_ops.cpp: the table of operations that upper rooms supply for their
// value types.
#include "runtime/type_ops.h"

#include <bit>

namespace tarvik {

namespace {
TypeOps g_type_ops[32];
}  // namespace

void (*g_run_destructor)(ObjHeader* instance) = nullptr;

TypeOps& type_ops(uint32_t type_bit) { return g_type_ops[std::countr_zero(type_bit | 0x80000000u)]; }

void type_ops_set_destructor(void (*run_destructor)(ObjHeader* instance)) { g_run_destructor = run_destructor; }

}  // namespace tarvik
