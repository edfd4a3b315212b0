// runtime/value.h: the 64-bit value word, type masks, the object header and the
// immediate/heap forms of int, bool and char. Everything here is inline: the
// interpreter's hot paths are built from these accessors.
#pragma once

#include <cstdint>
#include <cstring>

namespace tarvik {

// The value word. The two low bits are the tag:
//
//   63                                   2 1 0
//  +--------------------------------------+---+
//  | object address (8-byte aligned)      |00 |  reference; the word 0 is "absent"
//  | signed integer n (-2^60 <= n < 2^60) |01 |  immediate int
//  | 0 or 1 (bits 2..33)                  |10 |  immediate bool: false = 2, true = 6
//  | code point (bits 2..33)              |11 |  immediate char
//  +--------------------------------------+---+
struct Value {
    uint64_t bits;
    constexpr bool operator==(const Value&) const = default;
};
static_assert(sizeof(Value) == 8);

constexpr uint64_t TAG_MASK = 3;
constexpr uint64_t TAG_REF = 0;
constexpr uint64_t TAG_INT = 1;
constexpr uint64_t TAG_BOOL = 2;
constexpr uint64_t TAG_CHAR = 3;

// "No value": an unset slot or a missing result. Distinct from nil.
constexpr Value kAbsent{0};

// Type masks: one bit per type; unions are type sets. The package format uses the
// same numbers as value tags. An array's type word may add element-type bits.
constexpr uint32_t T_NIL = 0x1;
constexpr uint32_t T_CHAR = 0x2;
constexpr uint32_t T_FLOAT = 0x4;
constexpr uint32_t T_INT = 0x8;
constexpr uint32_t T_STRING = 0x10;
constexpr uint32_t T_OBJECT = 0x20;
constexpr uint32_t T_ARRAY = 0x40;
constexpr uint32_t T_BOOL = 0x80;
constexpr uint32_t T_BLOCK = 0x100;
constexpr uint32_t T_FUNCTION = 0x10000;
constexpr uint32_t T_BUILTIN = 0x20000;
constexpr uint32_t T_MODULE = 0x40000;
constexpr uint32_t T_EXCEPTION = 0x80000;
constexpr uint32_t T_BOUND_METHOD = 0x100000;
constexpr uint32_t T_POINTER = 0x200000;
constexpr uint32_t T_FIBER = 0x400000;
constexpr uint32_t T_FFI_FUNCTION = 0x800000;
constexpr uint32_t T_CLASS = 0x1000000;
constexpr uint32_t T_INSTANCE = 0x2000000;
constexpr uint32_t T_STREAM = 0x4000000;
constexpr uint32_t T_FREED = 0x8000000;  // a freed slot; never seen by scripts
constexpr uint32_t T_ANY = 0xFFFFFFFF;

// Unions exported by the Type module.
constexpr uint32_t T_NUMBER = 0xC;
constexpr uint32_t T_NUMERIC = 0x8E;
constexpr uint32_t T_CALLABLE = 0x930000;
constexpr uint32_t T_OBJECT_LIKE = 0x3040020;

// Object header: every heap slot and every static object has this layout.
//
//  0        4          8      12     16          24          32
//  | flags  | ref_count | type | aux  | payload a | payload b |
struct ObjHeader {
    uint32_t flags;
    uint32_t ref_count;  // owners; not maintained for static objects
    uint32_t type;       // type mask; T_FREED once the slot is freed
    uint32_t aux;        // per type: string length, array/block count, builtin arity word
    uint64_t a;
    uint64_t b;
};
static_assert(sizeof(ObjHeader) == 32);

// Header flags.
constexpr uint32_t F_FROZEN = 0x1;        // const-object: index writes raise code 19
constexpr uint32_t F_STATIC = 0x2;        // never counted, retained, released or freed
constexpr uint32_t F_FREE = 0x4;          // the slot is on its slab's free ring
constexpr uint32_t F_LIVE = 0x8;          // the slot holds a live object
constexpr uint32_t F_QUEUED = 0x10;       // in the deferred-free queue, contents not yet released
constexpr uint32_t F_INLINE_CHARS = 0x20; // string bytes live in payload b
constexpr uint32_t F_FLAT_FLOAT = 0x40;   // array slots hold raw doubles
constexpr uint32_t F_HASH_STALE = 0x400;  // string hash must be recomputed before use
constexpr uint32_t F_SPARE_CAPACITY = 0x800; // string buffer holds bit_ceil(length + 1) bytes (in-place append)

// Immediate ints cover -2^60 <= n < 2^60.
constexpr int64_t kImmIntMin = -(int64_t(1) << 60);
constexpr int64_t kImmIntMax = (int64_t(1) << 60) - 1;

// Static objects in the program image.
extern ObjHeader g_nil_object;
extern ObjHeader g_empty_string;

// ---- tag tests -------------------------------------------------------------

inline bool is_absent(Value v) { return v.bits == 0; }
// A reference to an object (heap or static); false for the absent value.
inline bool is_ref(Value v) { return (v.bits & TAG_MASK) == TAG_REF && v.bits != 0; }
inline bool is_imm_int(Value v) { return (v.bits & TAG_MASK) == TAG_INT; }
inline bool is_imm_bool(Value v) { return (v.bits & TAG_MASK) == TAG_BOOL; }
inline bool is_imm_char(Value v) { return (v.bits & TAG_MASK) == TAG_CHAR; }

inline ObjHeader* as_obj(Value v) { return reinterpret_cast<ObjHeader*>(v.bits); }
inline Value make_ref(const ObjHeader* obj) { return Value{reinterpret_cast<uintptr_t>(obj)}; }

// ---- immediates ------------------------------------------------------------

inline bool fits_imm_int(int64_t n) { return uint64_t(n) + (uint64_t(1) << 60) < (uint64_t(1) << 61); }
// Caller guarantees fits_imm_int(n).
inline Value make_imm_int(int64_t n) { return Value{(uint64_t(n) << 2) | TAG_INT}; }
inline int64_t imm_int(Value v) { return int64_t(v.bits) >> 2; }

inline Value make_bool(bool b) { return Value{(uint64_t(b) << 2) | TAG_BOOL}; }
inline bool imm_bool(Value v) { return ((v.bits >> 2) & 0xFFFFFFFFu) != 0; }

inline Value make_char(uint32_t code_point) { return Value{(uint64_t(code_point) << 2) | TAG_CHAR}; }
inline uint32_t imm_char(Value v) { return uint32_t(v.bits >> 2); }

inline Value nil_value() { return make_ref(&g_nil_object); }
inline Value empty_string_value() { return make_ref(&g_empty_string); }

// Boxes an integer outside the immediate range (new reference). Defined in value.cpp.
Value make_heap_int(int64_t n);
// New reference: immediate when it fits, else a heap int.
inline Value make_int(int64_t n) { return fits_imm_int(n) ? make_imm_int(n) : make_heap_int(n); }
// New float object (new reference).
Value make_float(double d);

inline double float_of(const ObjHeader* obj) {
    double d;
    std::memcpy(&d, &obj->a, sizeof d);
    return d;
}

// ---- types -----------------------------------------------------------------

// Normalised type mask of a value: any array type word reduces to T_ARRAY; the
// absent value has no type (0).
inline uint32_t value_type(Value v) {
    switch (v.bits & TAG_MASK) {
    case TAG_INT: return T_INT;
    case TAG_BOOL: return T_BOOL;
    case TAG_CHAR: return T_CHAR;
    default:
        if (v.bits == 0) return 0;
        uint32_t t = as_obj(v)->type;
        return (t & T_ARRAY) ? T_ARRAY : t;
    }
}

// True for a reference whose normalised type is `mask` (a single bit).
inline bool is_ref_of(Value v, uint32_t mask) {
    if (!is_ref(v)) return false;
    uint32_t t = as_obj(v)->type;
    return mask == T_ARRAY ? (t & T_ARRAY) != 0 : t == mask;
}

inline bool is_nil(Value v) { return is_ref(v) && as_obj(v)->type == T_NIL; }
inline bool is_nil_or_absent(Value v) { return v.bits == 0 || is_nil(v); }
inline bool is_string(Value v) { return is_ref_of(v, T_STRING); }
inline bool is_array(Value v) { return is_ref(v) && (as_obj(v)->type & T_ARRAY) != 0; }
inline bool is_float(Value v) { return is_ref_of(v, T_FLOAT); }

// int, bool or char in either form.
inline bool is_integral(Value v) {
    uint32_t t = value_type(v);
    return t != 0 && (t & ~(T_INT | T_BOOL | T_CHAR)) == 0;
}
// integral or float.
inline bool is_numeric(Value v) { return is_integral(v) || is_float(v); }

// ---- numeric accessors -----------------------------------------------------

// Truncation toward zero that stays defined for every double: NaN gives 0, values
// beyond the int64 range clamp to its ends.
int64_t double_to_int(double d);
// Integer of a value: int, char and bool of either form give their value, a float
// is truncated toward zero, anything else (and absent) gives 0.
int64_t value_to_int(Value v);
// As value_to_int, but a string gives its leading decimal integer (as atoll does).
int64_t value_to_int_or_parse(Value v);
// Double of a value: int, char, bool converted; float its value; anything else 0.0.
double value_to_double(Value v);

// ---- reference counts ------------------------------------------------------

// Called when a count reaches zero: runs the destructor hook and frees the slot.
void heap_destroy(ObjHeader* obj);

// Forced inline: both sit on every hot path, and an out-of-line copy costs more than
// the test it wraps.
__attribute__((always_inline)) inline void retain(Value v) {
    if (!is_ref(v)) return;
    ObjHeader* obj = as_obj(v);
    if (!(obj->flags & F_STATIC)) ++obj->ref_count;
}

__attribute__((always_inline)) inline void release(Value v) {
    if (!is_ref(v)) return;
    ObjHeader* obj = as_obj(v);
    if (obj->flags & F_STATIC) return;
    if (obj->ref_count-- == 1) heap_destroy(obj);
}

}  // namespace tarvik
