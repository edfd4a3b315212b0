// stdlib/math/math_values.h: what the Math families share: reading numbers out of
// arguments and arrays (int and float only; nil and every other type raise code 3),
// int-or-float results, the common native shapes and signatures, and native scratch.
// The readers allocate no value, so an input cannot change while it is read:
// allocation may reuse a queued slot, whose destructor can reach script code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/alloc.h"
#include "runtime/array.h"
#include "runtime/builtin.h"
#include "runtime/value.h"

namespace tarvik {

// An int or float argument or item: `d` always holds the value as a double, `i` the
// exact integer when is_int.
struct Number {
    bool is_int;
    int64_t i;
    double d;
};

// An int (either form) or a float; false for every other type, nil included.
bool number_of(Value v, Number* out);
// args[index] as a number; raises code 3 "Argument N: expected a number, got T".
bool number_arg(const Value* args, int index, Number* out);
// args[index] as a double (ints converted); raises as number_arg.
bool float_arg(const Value* args, int index, double* out);
// args[index] as an int; raises code 3 for anything else (nil included).
bool int_arg(const Value* args, int index, int64_t* out);
// args[index] must be an array; raises code 3 otherwise.
bool array_arg(const Value* args, int index);

// New int when v fits 64 bits, else the nearest float: the module's overflow rule.
Value make_wide_int(__int128 v);

// Item i of an array as a number; flat float items are floats. Raises code 3 "item I
// is T, not a number" (I from 0) when the item is anything else.
bool array_number(const ObjHeader* array, uint32_t i, Number* out);

// The shape of most float members: one or two doubles in, a float out.
template <double (*F)(double)>
Value unary_float(Value* args, int) {
    double x;
    if (!float_arg(args, 0, &x)) return nil_value();
    return make_float(F(x));
}
template <double (*F)(double, double)>
Value binary_float(Value* args, int) {
    double x, y;
    if (!float_arg(args, 0, &x) || !float_arg(args, 1, &y)) return nil_value();
    return make_float(F(x, y));
}

inline constexpr Signature kNumberToFloat{T_FLOAT, {T_NUMBER}};
inline constexpr Signature kTwoNumbersToFloat{T_FLOAT, {T_NUMBER, T_NUMBER}};
inline constexpr Signature kTwoNumbersToNumber{T_NUMBER, {T_NUMBER, T_NUMBER}};
inline constexpr Signature kThreeNumbersToFloat{T_FLOAT, {T_NUMBER, T_NUMBER, T_NUMBER}};

// Native scratch for members that reorder or factorise their input: inline for small
// inputs, otherwise from the checked wrappers, released on scope exit.
template <typename T>
class Scratch {
public:
    Scratch() = default;
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() { checked_free(heap_); }
    // Room for n items (call once); false after raising (6 or 8).
    bool reserve(size_t n) {
        if (n <= kInline) return true;
        checked_free(heap_);
        heap_ = static_cast<T*>(checked_calloc(n, sizeof(T)));
        return heap_ != nullptr;
    }
    T* data() { return heap_ ? heap_ : inline_; }

private:
    static constexpr size_t kInline = 64;
    T inline_[kInline];
    T* heap_ = nullptr;
};

// Family tables, registered by math_register_natives (math_module.cpp).
void math_register_integer();
void math_register_random();
void math_register_stats();
void math_register_matrix();
void math_register_special();

}  // namespace tarvik
