// runtime/builtin_catalog.h: the catalogue of the 38 builtin modules as plain data:
// every member's name, kind, argument counts, flag word and constant value, in the
// numbering compiled code uses. The validator checks builtin references against it,
// and the builtin interface builds its static member rows from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "runtime/value.h"

namespace tarvik {

enum CatalogKind : uint8_t {
    MEMBER_FUNCTION = 0,
    MEMBER_CONSTANT = 1,
};

// Attribute bits of a function's flag word, on top of F_STATIC (0x2). The VM core
// carries them unchanged.
constexpr uint16_t ATTR_PURE = 0x80;      // computes only from its arguments
constexpr uint16_t ATTR_FRESH = 0x100;    // returns a newly built string or block
constexpr uint16_t ATTR_STATEFUL = 0x200; // reads or changes state beyond its result

// Optional count of an "n+" member: up to 64 further arguments.
constexpr uint8_t kVariadic = 64;

// One member. A function uses required/optional/flags; a constant uses
// constant_type (T_INT, T_FLOAT or T_STRING) and the matching value field. Either
// way flags is the row's flag word (a constant's is F_STATIC alone).
struct CatalogMember {
    const char* name;          // as scripts spell it; nested groups keep the dot
    uint8_t kind;              // CatalogKind
    uint8_t required;          // function: required argument count
    uint8_t optional;          // function: optional argument count
    uint8_t constant_type;     // constant: T_INT, T_FLOAT or T_STRING; 0 for functions
    uint16_t flags;            // F_STATIC | ATTR_* bits
    int64_t int_value;         // constant of T_INT
    double float_value;        // constant of T_FLOAT
    const char* string_value;  // constant of T_STRING (static text)
};
static_assert(std::is_trivially_copyable_v<CatalogMember>);
static_assert(sizeof(CatalogMember) == 40);

// One module: its name and its member table; a member's number is its position.
struct CatalogModule {
    const char* name;
    const CatalogMember* members;
    int member_count;
};

// Number of modules (38); module numbers run 0..count-1 in registry order.
int builtin_module_count();

// Member count of a module; 0 for an invalid module number.
int builtin_member_count(int module);

// True when (module, member) names a function member; false for a constant or an
// out-of-range pair.
bool builtin_member_is_function(int module, int member);

// The module record, or nullptr for an invalid number.
const CatalogModule* builtin_module(int module);

// The module's name (static text), or nullptr for an invalid number.
const char* builtin_module_name(int module);

// The member record, or nullptr when the pair is out of range.
const CatalogMember* builtin_member(int module, int member);

// The member's name (static text), or nullptr when the pair is out of range.
const char* builtin_member_name(int module, int member);

// Module number by exact, case-sensitive name; -1 when unknown (or name is null).
int builtin_module_index(const char* name);

// Member number within a module by exact, case-sensitive name; -1 when the module
// is invalid or has no such member.
int builtin_member_index(int module, const char* name);

// Row builders for the data files.
constexpr CatalogMember function_row(const char* name, uint8_t required, uint8_t optional,
                                     uint16_t attributes = 0) {
    return {name, MEMBER_FUNCTION, required, optional, 0, uint16_t(F_STATIC | attributes), 0, 0.0, nullptr};
}
constexpr CatalogMember int_row(const char* name, int64_t value) {
    return {name, MEMBER_CONSTANT, 0, 0, uint8_t(T_INT), uint16_t(F_STATIC), value, 0.0, nullptr};
}
constexpr CatalogMember float_row(const char* name, double value) {
    return {name, MEMBER_CONSTANT, 0, 0, uint8_t(T_FLOAT), uint16_t(F_STATIC), 0, value, nullptr};
}
constexpr CatalogMember string_row(const char* name, const char* value) {
    return {name, MEMBER_CONSTANT, 0, 0, uint8_t(T_STRING), uint16_t(F_STATIC), 0, 0.0, value};
}
template <size_t N>
constexpr CatalogModule module_entry(const char* name, const CatalogMember (&members)[N]) {
    return {name, members, int(N)};
}

// The registry in two halves, one per data file: modules 0..11 and 12..37.
constexpr int kCatalogFirstHalf = 12;
extern const CatalogModule kCatalogModules0to11[kCatalogFirstHalf];
extern const CatalogModule kCatalogModules12to37[38 - kCatalogFirstHalf];

}  // namespace tarvik
