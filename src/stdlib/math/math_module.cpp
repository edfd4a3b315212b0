// stdlib/math/math_module.cpp: the Math module's numeric functions. Its constants
// (Math.PI, Math.IntMax, ...) come from the catalogue.
#include <cmath>

#include "runtime/builtin.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

// One double in, one float out: the shape of most of the module.
template <double (*F)(double)>
Value unary_float(Value* args, int) {
    return make_float(F(value_to_double(args[0])));
}

double sqrt_of(double x) { return std::sqrt(x); }

constexpr Signature kNumberToFloat{T_FLOAT, {T_NUMBER}};

}  // namespace

constexpr BuiltinNative kMathNatives[] = {
    {"Sqrt", unary_float<sqrt_of>, &kNumberToFloat},
};

void math_register_natives() { builtin_register_module("Math", kMathNatives); }

}  // namespace tarvik
