// runtime/type_info.cpp: the type names used in messages and the descriptions of
// type sets used by builtin signatures and Type.NameOf.
#include <bit>
#include <cstring>

#include "runtime/value_ops.h"

namespace tarvik {

namespace {

// Indexed by bit number; bits 9..15 carry no type, 26 and up have no message name.
constexpr const char* kTypeNames[26] = {
    "nil",       "char",         "float",    "int",       "string",       "object",  "array",
    "bool",      "block",        "<unknown>", "<unknown>", "<unknown>",    "<unknown>", "<unknown>",
    "<unknown>", "<unknown>",    "function", "builtin",   "module",       "exception",
    "bound-method", "pointer",   "fiber",    "FFI-function", "class",    "instance",
};

struct MaskName {
    uint32_t bit;
    const char* name;
};

// Description order; the array part goes between "block" and "fiber".
constexpr MaskName kBeforeArray[] = {
    {T_NIL, "nil"},           {T_INT, "int"},         {T_FLOAT, "float"},
    {T_STRING, "string"},     {T_CHAR, "char"},       {T_BOOL, "bool"},
    {T_FUNCTION, "function"}, {T_BUILTIN, "builtin_function"}, {T_FFI_FUNCTION, "ffi_function"},
    {T_OBJECT, "object"},     {T_INSTANCE, "instance"}, {T_CLASS, "class"},
    {T_MODULE, "module"},     {T_BLOCK, "block"},
};
constexpr MaskName kAfterArray[] = {
    {T_FIBER, "fiber"}, {T_POINTER, "pointer"}, {T_EXCEPTION, "exception"}, {T_STREAM, "stream"},
};

// Appends to a bounded, always terminated buffer; excess text is dropped.
struct BoundedText {
    char* out;
    size_t size;
    size_t used = 0;

    void append(const char* text) {
        if (size == 0) return;
        size_t n = std::strlen(text);
        size_t room = size - 1 - used;
        if (n > room) n = room;
        std::memcpy(out + used, text, n);
        used += n;
        out[used] = '\0';
    }
};

// Writes the names of the known bits of `mask`; returns how many were written.
int describe_bits(uint32_t mask, BoundedText& text) {
    uint32_t element_bits = mask & ~T_ARRAY;
    if ((mask & T_ARRAY) && element_bits != 0) {
        // Every other bit describes the elements, so nothing is listed on its own.
        text.append("[");
        if (describe_bits(element_bits, text) == 0) text.append("none");
        text.append("]");
        return 1;
    }
    int written = 0;
    auto put = [&](const char* name) {
        if (written++ > 0) text.append("|");
        text.append(name);
    };
    for (const MaskName& entry : kBeforeArray) {
        if (mask & entry.bit) put(entry.name);
    }
    if (mask & T_ARRAY) put("array");
    for (const MaskName& entry : kAfterArray) {
        if (mask & entry.bit) put(entry.name);
    }
    return written;
}

}  // namespace

const char* type_name_of_mask(uint32_t type_word) {
    if (type_word & T_ARRAY) type_word = T_ARRAY;
    if (!std::has_single_bit(type_word)) return "<unknown>";
    int bit = std::countr_zero(type_word);
    return bit < 26 ? kTypeNames[bit] : "<unknown>";
}

const char* type_name_of(Value v) {
    switch (v.bits & TAG_MASK) {
    case TAG_INT: return "int";
    case TAG_BOOL: return "bool";
    case TAG_CHAR: return "char";
    default: break;
    }
    if (v.bits == 0) return "<unknown>";
    return type_name_of_mask(as_obj(v)->type);
}

void describe_type_mask(uint32_t mask, char* out, size_t size) {
    BoundedText text{out, size};
    if (size > 0) out[0] = '\0';
    if (mask == T_ANY) {
        text.append("any");
        return;
    }
    if (describe_bits(mask, text) == 0) text.append("none");
}

}  // namespace tarvik
