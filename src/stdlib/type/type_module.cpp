// stdlib/type/type_module.cpp: the Type module, type tests, type names and mask
// descriptions. Its constants (Type.Int, Type.Callable, ...) come from the catalogue.
#include "runtime/builtin.h"
#include "runtime/errors.h"
#include "runtime/string.h"
#include "runtime/value_ops.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

// The absent value answers as nil.
uint32_t normalised_type(Value v) { return is_absent(v) ? T_NIL : value_type(v); }

// A mask argument: an int of either form (a nil mask matches nothing).
uint32_t mask_argument(Value v) { return uint32_t(value_to_int(v)); }

bool type_matches(Value v, uint32_t mask) { return (normalised_type(v) & mask) != 0; }

// Natives borrow args[0..count) and return a new reference (nil after raising).
Value type_of(Value* args, int) { return make_int(normalised_type(args[0])); }

Value type_is(Value* args, int) { return make_bool(type_matches(args[0], mask_argument(args[1]))); }

Value type_assert(Value* args, int count) {
    if (type_matches(args[0], mask_argument(args[1]))) return make_bool(true);
    const char* message = "type assertion failed";
    if (count > 2 && is_string(args[2])) message = string_chars(as_obj(args[2]));
    raise_error(ERR_INVALID_ARGUMENTS, message);
    return nil_value();
}

Value type_name(Value* args, int) {
    return make_string(is_absent(args[0]) ? "nil" : type_name_of(args[0]));
}

Value type_name_of_mask_value(Value* args, int) {
    char text[256];
    describe_type_mask(mask_argument(args[0]), text, sizeof text);
    return make_string(text);
}

// Type.IsInt and the rest: Type.Is with a fixed mask.
template <uint32_t Mask>
Value type_is_fixed(Value* args, int) {
    return make_bool(type_matches(args[0], Mask));
}

constexpr Signature kValueToInt{T_INT, {T_ANY}};
constexpr Signature kValueMaskToBool{T_BOOL, {T_ANY, T_INT}};
constexpr Signature kAssert{T_BOOL, {T_ANY, T_INT, T_ANY}};
constexpr Signature kValueToString{T_STRING, {T_ANY}};
constexpr Signature kMaskToString{T_STRING, {T_INT}};
constexpr Signature kValueToBool{T_BOOL, {T_ANY}};

}  // namespace

// Catalogue order; the constants 0..23 need no native code.
constexpr BuiltinNative kTypeNatives[] = {
    {"Is", type_is, &kValueMaskToBool},
    {"Name", type_name, &kValueToString},
    {"Assert", type_assert, &kAssert},
    {"Of", type_of, &kValueToInt},
    {"NameOf", type_name_of_mask_value, &kMaskToString},
    {"IsInt", type_is_fixed<T_INT>, &kValueToBool},
    {"IsFloat", type_is_fixed<T_FLOAT>, &kValueToBool},
    {"IsNumber", type_is_fixed<T_NUMBER>, &kValueToBool},
    {"IsString", type_is_fixed<T_STRING>, &kValueToBool},
    {"IsBool", type_is_fixed<T_BOOL>, &kValueToBool},
    {"IsChar", type_is_fixed<T_CHAR>, &kValueToBool},
    {"IsNil", type_is_fixed<T_NIL>, &kValueToBool},
    {"IsArray", type_is_fixed<T_ARRAY>, &kValueToBool},
    {"IsObject", type_is_fixed<T_OBJECT>, &kValueToBool},
    {"IsFunction", type_is_fixed<T_FUNCTION>, &kValueToBool},
    {"IsCallable", type_is_fixed<T_CALLABLE>, &kValueToBool},
    {"IsInstance", type_is_fixed<T_INSTANCE>, &kValueToBool},
    {"IsClass", type_is_fixed<T_CLASS>, &kValueToBool},
    {"IsFiber", type_is_fixed<T_FIBER>, &kValueToBool},
    {"IsStream", type_is_fixed<T_STREAM>, &kValueToBool},
    {"IsBlock", type_is_fixed<T_BLOCK>, &kValueToBool},
    {"IsException", type_is_fixed<T_EXCEPTION>, &kValueToBool},
    {"IsModule", type_is_fixed<T_MODULE>, &kValueToBool},
};

void type_register_natives() { builtin_register_module("Type", kTypeNatives); }

}  // namespace tarvik
