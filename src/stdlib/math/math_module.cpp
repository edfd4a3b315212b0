// stdlib/math/math_module.cpp: the Math module's scalar members (sign and size,
// rounding, clamping, powers and logarithms, trigonometry, number tests) and the
// registration of every family. Its constants (Math.PI, Math.IntMax, ...) come from
// the catalogue. docs/math.md states the int/float rules the members follow.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "runtime/errors.h"
#include "stdlib/math/math_values.h"
#include "stdlib/stdlib_register.h"

namespace tarvik {

namespace {

// Floor, Ceil, Round, Trunc: an int is already whole and stays an int.
template <double (*F)(double)>
Value int_preserving(Value* args, int) {
    Number n;
    if (!number_arg(args, 0, &n)) return nil_value();
    return n.is_int ? make_int(n.i) : make_float(F(n.d));
}

template <bool (*P)(const Number&)>
Value predicate(Value* args, int) {
    Number n;
    if (!number_arg(args, 0, &n)) return nil_value();
    return make_bool(P(n));
}

// Wrappers give overloaded library functions one address each.
double sqrt_of(double x) { return std::sqrt(x); }
double floor_of(double x) { return std::floor(x); }
double ceil_of(double x) { return std::ceil(x); }
double round_of(double x) { return std::round(x); }  // halves away from zero
double trunc_of(double x) { return std::trunc(x); }
double sin_of(double x) { return std::sin(x); }
double cos_of(double x) { return std::cos(x); }
double tan_of(double x) { return std::tan(x); }
double log_of(double x) { return std::log(x); }
double log10_of(double x) { return std::log10(x); }
double log2_of(double x) { return std::log2(x); }
double remainder_of(double x, double y) { return std::remainder(x, y); }
double log1p_of(double x) { return std::log1p(x); }
double expm1_of(double x) { return std::expm1(x); }
double exp_of(double x) { return std::exp(x); }
double deg_of(double x) { return x * (180.0 / std::numbers::pi); }
double rad_of(double x) { return x * (std::numbers::pi / 180.0); }
double csc_of(double x) { return 1.0 / std::sin(x); }
double sec_of(double x) { return 1.0 / std::cos(x); }
double cot_of(double x) { return 1.0 / std::tan(x); }
double atan_of(double x) { return std::atan(x); }
double sinh_of(double x) { return std::sinh(x); }
double cosh_of(double x) { return std::cosh(x); }
double tanh_of(double x) { return std::tanh(x); }
double sech_of(double x) { return 1.0 / std::cosh(x); }
double csch_of(double x) { return 1.0 / std::sinh(x); }
double asin_of(double x) { return std::asin(x); }
double acos_of(double x) { return std::acos(x); }
double asinh_of(double x) { return std::asinh(x); }
double acosh_of(double x) { return std::acosh(x); }
double atanh_of(double x) { return std::atanh(x); }
double acot_of(double x) { return std::atan(1.0 / x); }  // range (-pi/2, pi/2], like atan
double acoth_of(double x) { return std::atanh(1.0 / x); }
double atan2_of(double y, double x) { return std::atan2(y, x); }
double log_base_of(double x, double base) { return std::log(x) / std::log(base); }
double cbrt_of(double x) { return std::cbrt(x); }
double copysign_of(double x, double y) { return std::copysign(x, y); }
double hypot_of(double x, double y) { return std::hypot(x, y); }
double clamp01_of(double x) { return std::isnan(x) ? x : std::clamp(x, 0.0, 1.0); }
// x - floor(x) in [0, 1): a tiny negative x would otherwise round up to 1.
double fract_of(double x) { return std::min(x - std::floor(x), 0x1.fffffffffffffp-1); }

bool is_nan(const Number& n) { return !n.is_int && std::isnan(n.d); }
bool is_finite(const Number& n) { return n.is_int || std::isfinite(n.d); }
bool is_integer(const Number& n) { return n.is_int || (std::isfinite(n.d) && std::trunc(n.d) == n.d); }
bool is_even(const Number& n) { return n.is_int ? n.i % 2 == 0 : is_integer(n) && std::fmod(n.d, 2.0) == 0.0; }
bool is_odd(const Number& n) { return n.is_int ? n.i % 2 != 0 : is_integer(n) && std::fmod(n.d, 2.0) != 0.0; }
bool is_positive(const Number& n) { return n.is_int ? n.i > 0 : n.d > 0.0; }
bool is_negative(const Number& n) { return n.is_int ? n.i < 0 : n.d < 0.0; }

// ---- sign and size ----------------------------------------------------------

Value math_abs(Value* args, int) {
    Number n;
    if (!number_arg(args, 0, &n)) return nil_value();
    if (!n.is_int) return make_float(std::fabs(n.d));
    return make_wide_int(n.i < 0 ? -__int128(n.i) : __int128(n.i));  // |IntMin| becomes a float
}

Value math_abs_f(Value* args, int) {
    Number n;
    if (!number_arg(args, 0, &n)) return nil_value();
    return make_float(n.is_int ? double(n.i < 0 ? -__int128(n.i) : __int128(n.i)) : std::fabs(n.d));
}

Value math_sign(Value* args, int) {
    Number n;
    if (!number_arg(args, 0, &n)) return nil_value();
    if (n.is_int) return make_int((n.i > 0) - (n.i < 0));
    if (std::isnan(n.d) || n.d == 0.0) return make_float(n.d);  // NaN and signed zeros stay
    return make_float(std::copysign(1.0, n.d));
}

// Max, Min, MaxF, MinF: two ints compare exactly; a NaN operand gives NaN.
template <bool Greater, bool AlwaysFloat>
Value math_pick(Value* args, int) {
    Number a, b;
    if (!number_arg(args, 0, &a) || !number_arg(args, 1, &b)) return nil_value();
    if (a.is_int && b.is_int) {
        int64_t picked = Greater ? std::max(a.i, b.i) : std::min(a.i, b.i);
        return AlwaysFloat ? make_float(double(picked)) : make_int(picked);
    }
    if (std::isnan(a.d) || std::isnan(b.d)) return make_float(NAN);
    return make_float(Greater ? std::max(a.d, b.d) : std::min(a.d, b.d));
}

// ---- ranges -----------------------------------------------------------------

// Raises code 3 for bounds that do not form a range; answers nil for the caller.
Value bad_bounds(const Number& lo, const Number& hi) {
    raise_errorf(ERR_INVALID_ARGUMENTS, "bounds %.17g and %.17g do not form a range", lo.d, hi.d);
    return nil_value();
}

Value math_clamp(Value* args, int) {
    Number x, lo, hi;
    if (!number_arg(args, 0, &x) || !number_arg(args, 1, &lo) || !number_arg(args, 2, &hi)) return nil_value();
    if (x.is_int && lo.is_int && hi.is_int) {
        if (lo.i > hi.i) return bad_bounds(lo, hi);
        return make_int(std::clamp(x.i, lo.i, hi.i));
    }
    if (!(lo.d <= hi.d)) return bad_bounds(lo, hi);
    return make_float(std::isnan(x.d) ? x.d : std::clamp(x.d, lo.d, hi.d));
}

// Wrap(x, lo, hi): x moved into [lo, hi) by whole multiples of hi - lo.
Value math_wrap(Value* args, int) {
    Number x, lo, hi;
    if (!number_arg(args, 0, &x) || !number_arg(args, 1, &lo) || !number_arg(args, 2, &hi)) return nil_value();
    if (x.is_int && lo.is_int && hi.is_int) {
        if (lo.i >= hi.i) return bad_bounds(lo, hi);
        __int128 range = __int128(hi.i) - lo.i;
        __int128 offset = (__int128(x.i) - lo.i) % range;
        if (offset < 0) offset += range;
        return make_int(int64_t(lo.i + offset));
    }
    if (!(lo.d < hi.d)) return bad_bounds(lo, hi);
    double range = hi.d - lo.d;
    double offset = std::fmod(x.d - lo.d, range);
    if (offset < 0) offset += range;
    double wrapped = lo.d + offset;
    return make_float(wrapped >= hi.d ? lo.d : wrapped);  // rounding may land on hi
}

Value math_lerp(Value* args, int) {
    double a, b, t;
    if (!float_arg(args, 0, &a) || !float_arg(args, 1, &b) || !float_arg(args, 2, &t)) return nil_value();
    return make_float(t == 1.0 ? b : a + t * (b - a));  // exact at both ends
}

Value math_distance(Value* args, int) {
    double x1, y1, x2, y2;
    if (!float_arg(args, 0, &x1) || !float_arg(args, 1, &y1) || !float_arg(args, 2, &x2) || !float_arg(args, 3, &y2))
        return nil_value();
    return make_float(std::hypot(x2 - x1, y2 - y1));
}

// IsClose(a, b, rel_tol = 1e-9, abs_tol = 0): |a - b| within the larger tolerance;
// equal infinities are close, NaN is close to nothing. Nil picks the default.
Value math_is_close(Value* args, int count) {
    double a, b, tolerances[2] = {1e-9, 0.0};
    if (!float_arg(args, 0, &a) || !float_arg(args, 1, &b)) return nil_value();
    for (int i = 2; i < count; ++i) {
        if (is_nil(args[i])) continue;
        if (!float_arg(args, i, &tolerances[i - 2])) return nil_value();
        if (!(tolerances[i - 2] >= 0.0)) {
            raise_errorf(ERR_INVALID_ARGUMENTS, "Argument %d: a tolerance must be zero or more", i + 1);
            return nil_value();
        }
    }
    if (a == b) return make_bool(true);
    if (std::isinf(a) || std::isinf(b)) return make_bool(false);
    double diff = std::fabs(a - b);
    return make_bool(diff <= std::max(tolerances[0] * std::max(std::fabs(a), std::fabs(b)), tolerances[1]));
}

// ---- rounding to digits -------------------------------------------------------

// An int to a multiple of 10^places (places > 0), halves away from zero.
Value round_int_to(int64_t x, int64_t places) {
    if (places > 18) return make_int(0);  // |x| < 0.5e19
    int64_t unit = 1;
    for (int64_t i = 0; i < places; ++i) unit *= 10;
    int64_t quotient = x / unit;
    int64_t rest = x % unit;
    if (rest != 0 && 2 * (__int128(rest < 0 ? -rest : rest)) >= unit) quotient += rest < 0 ? -1 : 1;
    return make_wide_int(__int128(quotient) * unit);
}

// RoundTo(x, digits): x rounded to `digits` decimals (negative: tens, hundreds...).
Value math_round_to(Value* args, int) {
    Number x;
    int64_t digits;
    if (!number_arg(args, 0, &x) || !int_arg(args, 1, &digits)) return nil_value();
    if (x.is_int) return digits >= 0 ? make_int(x.i) : round_int_to(x.i, digits < -19 ? 19 : -digits);
    if (!std::isfinite(x.d)) return make_float(x.d);
    double scale = std::pow(10.0, std::fabs(double(digits)));  // no abs(IntMin)
    if (std::isinf(scale)) return make_float(digits >= 0 ? x.d : std::copysign(0.0, x.d));
    if (digits >= 0) {
        double scaled = x.d * scale;
        // Past 2^52 a double has no fraction left to round.
        if (!std::isfinite(scaled) || std::fabs(scaled) >= 0x1p52) return make_float(x.d);
        return make_float(std::round(scaled) / scale);
    }
    return make_float(std::round(x.d / scale) * scale);
}

}  // namespace

// Catalogue order within the family; the other families register their own tables.
constexpr Signature kNumberToNumber{T_NUMBER, {T_NUMBER}};
constexpr Signature kNumberToBool{T_BOOL, {T_NUMBER}};
constexpr Signature kThreeNumbersToNumber{T_NUMBER, {T_NUMBER, T_NUMBER, T_NUMBER}};
constexpr Signature kFourNumbersToFloat{T_FLOAT, {T_NUMBER, T_NUMBER, T_NUMBER, T_NUMBER}};
constexpr Signature kIsClose{T_BOOL, {T_NUMBER, T_NUMBER, T_NUMBER, T_NUMBER}};
constexpr Signature kRoundTo{T_NUMBER, {T_NUMBER, T_INT}};

constexpr BuiltinNative kMathScalarNatives[] = {
    {"Abs", math_abs, &kNumberToNumber},
    {"AbsF", math_abs_f, &kNumberToFloat},
    {"Max", math_pick<true, false>, &kTwoNumbersToNumber},
    {"Min", math_pick<false, false>, &kTwoNumbersToNumber},
    {"MaxF", math_pick<true, true>, &kTwoNumbersToFloat},
    {"MinF", math_pick<false, true>, &kTwoNumbersToFloat},
    {"Sqrt", unary_float<sqrt_of>, &kNumberToFloat},
    {"Floor", int_preserving<floor_of>, &kNumberToNumber},
    {"Ceil", int_preserving<ceil_of>, &kNumberToNumber},
    {"Round", int_preserving<round_of>, &kNumberToNumber},
    {"Clamp", math_clamp, &kThreeNumbersToNumber},
    {"Sign", math_sign, &kNumberToNumber},
    {"Sin", unary_float<sin_of>, &kNumberToFloat},
    {"Cos", unary_float<cos_of>, &kNumberToFloat},
    {"Tan", unary_float<tan_of>, &kNumberToFloat},
    {"Log", unary_float<log_of>, &kNumberToFloat},
    {"Log10", unary_float<log10_of>, &kNumberToFloat},
    {"Log2", unary_float<log2_of>, &kNumberToFloat},
    {"IEEERemainder", binary_float<remainder_of>, &kTwoNumbersToFloat},
    {"Log1p", unary_float<log1p_of>, &kNumberToFloat},
    {"Expm1", unary_float<expm1_of>, &kNumberToFloat},
    {"Exp", unary_float<exp_of>, &kNumberToFloat},
    {"Deg", unary_float<deg_of>, &kNumberToFloat},
    {"Rad", unary_float<rad_of>, &kNumberToFloat},
    {"Csc", unary_float<csc_of>, &kNumberToFloat},
    {"Sec", unary_float<sec_of>, &kNumberToFloat},
    {"Atan", unary_float<atan_of>, &kNumberToFloat},
    {"Sinh", unary_float<sinh_of>, &kNumberToFloat},
    {"Cosh", unary_float<cosh_of>, &kNumberToFloat},
    {"Tanh", unary_float<tanh_of>, &kNumberToFloat},
    {"Sech", unary_float<sech_of>, &kNumberToFloat},
    {"Csch", unary_float<csch_of>, &kNumberToFloat},
    {"Asin", unary_float<asin_of>, &kNumberToFloat},
    {"Acos", unary_float<acos_of>, &kNumberToFloat},
    {"Asinh", unary_float<asinh_of>, &kNumberToFloat},
    {"Acosh", unary_float<acosh_of>, &kNumberToFloat},
    {"Atanh", unary_float<atanh_of>, &kNumberToFloat},
    {"Atan2", binary_float<atan2_of>, &kTwoNumbersToFloat},
    {"LogBase", binary_float<log_base_of>, &kTwoNumbersToFloat},
    {"Cbrt", unary_float<cbrt_of>, &kNumberToFloat},
    {"Trunc", int_preserving<trunc_of>, &kNumberToNumber},
    {"CopySign", binary_float<copysign_of>, &kTwoNumbersToFloat},
    {"IsNaN", predicate<is_nan>, &kNumberToBool},
    {"Cot", unary_float<cot_of>, &kNumberToFloat},
    {"Acot", unary_float<acot_of>, &kNumberToFloat},
    {"Acoth", unary_float<acoth_of>, &kNumberToFloat},
    {"IsFinite", predicate<is_finite>, &kNumberToBool},
    {"IsInteger", predicate<is_integer>, &kNumberToBool},
    {"IsEven", predicate<is_even>, &kNumberToBool},
    {"IsOdd", predicate<is_odd>, &kNumberToBool},
    {"IsPositive", predicate<is_positive>, &kNumberToBool},
    {"IsNegative", predicate<is_negative>, &kNumberToBool},
    {"Hypot", binary_float<hypot_of>, &kTwoNumbersToFloat},
    {"Distance", math_distance, &kFourNumbersToFloat},
    {"Lerp", math_lerp, &kThreeNumbersToFloat},
    {"Clamp01", unary_float<clamp01_of>, &kNumberToFloat},
    {"IsClose", math_is_close, &kIsClose},
    {"Fract", unary_float<fract_of>, &kNumberToFloat},
    {"Wrap", math_wrap, &kThreeNumbersToNumber},
    {"RoundTo", math_round_to, &kRoundTo},
};

void math_register_natives() {
    builtin_register_module("Math", kMathScalarNatives);
    math_register_integer();
    math_register_random();
    math_register_stats();
    math_register_matrix();
    math_register_special();
}

}  // namespace tarvik
