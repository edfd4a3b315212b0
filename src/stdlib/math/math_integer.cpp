// stdlib/math/math_integer.cpp: the Math members that keep ints exact: powers,
// floored modulo, factorials and counting, gcd and lcm, bit counts. A result that
// does not fit 64 bits becomes the nearest float (make_wide_int), never a wrapped int.
#include <bit>
#include <cmath>
#include <numeric>

#include "runtime/errors.h"
#include "stdlib/math/math_values.h"

namespace tarvik {

namespace {

uint64_t magnitude(int64_t x) { return x < 0 ? 0 - uint64_t(x) : uint64_t(x); }

// Raises code 3 for a negative count; false for the caller to pass on.
bool refuse_negative(int position) {
    raise_errorf(ERR_INVALID_ARGUMENTS, "Argument %d: expected an int of zero or more", position);
    return false;
}

// base^exponent when it fits 64 bits. Every partial result divides the final one, and
// the base is squared only while a higher exponent bit remains, so an overflow here
// means the true power overflows too.
bool exact_power(int64_t base, uint64_t exponent, int64_t* out) {
    int64_t result = 1;
    while (exponent) {
        if ((exponent & 1) && __builtin_mul_overflow(result, base, &result)) return false;
        exponent >>= 1;
        if (exponent && __builtin_mul_overflow(base, base, &base)) return false;
    }
    *out = result;
    return true;
}

Value math_pow(Value* args, int) {
    Number base, exponent;
    if (!number_arg(args, 0, &base) || !number_arg(args, 1, &exponent)) return nil_value();
    int64_t exact;
    if (base.is_int && exponent.is_int && exponent.i >= 0 && exact_power(base.i, uint64_t(exponent.i), &exact))
        return make_int(exact);
    return make_float(std::pow(base.d, exponent.d));
}

// Floored modulo: the result takes the divisor's sign (the % operator truncates).
Value math_mod(Value* args, int) {
    Number a, b;
    if (!number_arg(args, 0, &a) || !number_arg(args, 1, &b)) return nil_value();
    if (b.d == 0.0) {
        raise_mod_by_zero();
        return nil_value();
    }
    if (a.is_int && b.is_int) {
        int64_t r = b.i == -1 ? 0 : a.i % b.i;  // IntMin % -1 would trap
        if (r != 0 && (r < 0) != (b.i < 0)) r += b.i;
        return make_int(r);
    }
    double r = std::fmod(a.d, b.d);
    if (r != 0.0 && (r < 0.0) != (b.d < 0.0)) r += b.d;
    return make_float(r);
}

// ---- counting ---------------------------------------------------------------

Value math_factorial(Value* args, int) {
    int64_t n;
    if (!int_arg(args, 0, &n)) return nil_value();
    if (n < 0) {
        refuse_negative(1);
        return nil_value();
    }
    if (n <= 20) {
        int64_t product = 1;
        for (int64_t i = 2; i <= n; ++i) product *= i;
        return make_int(product);
    }
    if (n > 170) return make_float(INFINITY);  // 171! exceeds the largest double
    double product = 1.0;
    for (int64_t i = 2; i <= n; ++i) product *= double(i);
    return make_float(product);
}

bool counting_args(const Value* args, int64_t* n, int64_t* k) {
    if (!int_arg(args, 0, n) || !int_arg(args, 1, k)) return false;
    if (*n < 0) return refuse_negative(1);
    if (*k < 0) return refuse_negative(2);
    return true;
}

// n! / (n - k)!. Factors are at least 2 except perhaps the last, so once the product
// leaves int64 the float continuation reaches infinity within ~1100 steps.
Value math_permutation(Value* args, int) {
    int64_t n, k;
    if (!counting_args(args, &n, &k)) return nil_value();
    if (k > n) return make_int(0);
    int64_t product = 1;
    int64_t i = 0;
    for (; i < k; ++i) {
        if (__builtin_mul_overflow(product, n - i, &product)) break;
    }
    if (i == k) return make_int(product);
    double wide = 1.0;
    for (int64_t j = 0; j < k && std::isfinite(wide); ++j) wide *= double(n - j);
    return make_float(wide);
}

// n choose k through C(m + i, i) = C(m + i - 1, i - 1) * (m + i) / i with m = n - k,
// exact in 128 bits while the value fits int64. Each step at least doubles the value
// (k <= n - k), so the float continuation is short too.
Value math_combination(Value* args, int) {
    int64_t n, k;
    if (!counting_args(args, &n, &k)) return nil_value();
    if (k > n) return make_int(0);
    k = std::min(k, n - k);
    int64_t m = n - k;
    __int128 exact = 1;
    int64_t i = 1;
    for (; i <= k; ++i) {
        exact = exact * (m + i) / i;
        if (exact > INT64_MAX) break;
    }
    if (i > k) return make_int(int64_t(exact));
    double wide = double(exact);
    for (++i; i <= k && std::isfinite(wide); ++i) wide *= double(m + i) / double(i);
    return make_float(wide);
}

// ---- gcd, lcm and bits ------------------------------------------------------------

Value math_gcd(Value* args, int) {
    int64_t a, b;
    if (!int_arg(args, 0, &a) || !int_arg(args, 1, &b)) return nil_value();
    return make_wide_int(std::gcd(magnitude(a), magnitude(b)));  // Gcd(IntMin, 0) is 2^63
}

Value math_lcm(Value* args, int) {
    int64_t a, b;
    if (!int_arg(args, 0, &a) || !int_arg(args, 1, &b)) return nil_value();
    if (a == 0 || b == 0) return make_int(0);
    uint64_t g = std::gcd(magnitude(a), magnitude(b));
    return make_wide_int(__int128(magnitude(a) / g) * magnitude(b));
}

// Bit members see an int as its 64-bit two's complement pattern.
template <int (*F)(uint64_t)>
Value bit_member(Value* args, int) {
    int64_t x;
    if (!int_arg(args, 0, &x)) return nil_value();
    return make_int(F(uint64_t(x)));
}

int bit_count(uint64_t x) { return std::popcount(x); }
int leading_zeros(uint64_t x) { return std::countl_zero(x); }
int trailing_zeros(uint64_t x) { return std::countr_zero(x); }
// Bits of the magnitude: BitLength(-8) is 4, BitLength(IntMin) is 64.
int bit_length(uint64_t x) { return int(std::bit_width(magnitude(int64_t(x)))); }

}  // namespace

constexpr Signature kIntToNumber{T_NUMBER, {T_INT}};
constexpr Signature kTwoIntsToNumber{T_NUMBER, {T_INT, T_INT}};
constexpr Signature kIntToInt{T_INT, {T_INT}};

// Catalogue order within the family.
constexpr BuiltinNative kMathIntegerNatives[] = {
    {"Pow", math_pow, &kTwoNumbersToNumber},
    {"Factorial", math_factorial, &kIntToNumber},
    {"Permutation", math_permutation, &kTwoIntsToNumber},
    {"Combination", math_combination, &kTwoIntsToNumber},
    {"BitCount", bit_member<bit_count>, &kIntToInt},
    {"LeadingZeros", bit_member<leading_zeros>, &kIntToInt},
    {"TrailingZeros", bit_member<trailing_zeros>, &kIntToInt},
    {"BitLength", bit_member<bit_length>, &kIntToInt},
    {"Gcd", math_gcd, &kTwoIntsToNumber},
    {"Lcm", math_lcm, &kTwoIntsToNumber},
    {"Mod", math_mod, &kTwoNumbersToNumber},
};

void math_register_integer() { builtin_register_module("Math", kMathIntegerNatives); }

}  // namespace tarvik
