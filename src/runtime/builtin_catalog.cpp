// runtime/builtin_catalog.cpp: lookups over the builtin module catalogue. The tables
// themselves live in builtin_catalog_modules_*.cpp; this file joins the two halves
// of the registry and answers by number or by name.
#include "runtime/builtin_catalog.h"

#include <cstring>

namespace tarvik {

namespace {
constexpr int kModuleCount = 38;
}  // namespace

int builtin_module_count() { return kModuleCount; }

const CatalogModule* builtin_module(int module) {
    if (module < 0 || module >= kModuleCount) return nullptr;
    if (module < kCatalogFirstHalf) return &kCatalogModules0to11[module];
    return &kCatalogModules12to37[module - kCatalogFirstHalf];
}

int builtin_member_count(int module) {
    const CatalogModule* m = builtin_module(module);
    return m ? m->member_count : 0;
}

const char* builtin_module_name(int module) {
    const CatalogModule* m = builtin_module(module);
    return m ? m->name : nullptr;
}

const CatalogMember* builtin_member(int module, int member) {
    const CatalogModule* m = builtin_module(module);
    if (!m || member < 0 || member >= m->member_count) return nullptr;
    return &m->members[member];
}

bool builtin_member_is_function(int module, int member) {
    const CatalogMember* row = builtin_member(module, member);
    return row && row->kind == MEMBER_FUNCTION;
}

const char* builtin_member_name(int module, int member) {
    const CatalogMember* row = builtin_member(module, member);
    return row ? row->name : nullptr;
}

// Linear scans: names are looked up while loading and compiling, never per call.
int builtin_module_index(const char* name) {
    if (!name) return -1;
    for (int i = 0; i < kModuleCount; ++i) {
        if (std::strcmp(builtin_module(i)->name, name) == 0) return i;
    }
    return -1;
}

int builtin_member_index(int module, const char* name) {
    const CatalogModule* m = builtin_module(module);
    if (!m || !name) return -1;
    for (int i = 0; i < m->member_count; ++i) {
        if (std::strcmp(m->members[i].name, name) == 0) return i;
    }
    return -1;
}

}  // namespace tarvik
