// stdlib/math/math_random.cpp: the Math module's random members. One xoshiro256**
// generator per VM, seeded on first use from the kernel's random bytes (and the clock,
// should those fail) through splitmix64. Not for cryptography: Crypto has its own.
#include <time.h>

#include <bit>
#include <cmath>
#include <numbers>

#include "runtime/errors.h"
#include "runtime/property_map.h"
#include "stdlib/math/math_values.h"

namespace tarvik {

namespace {

struct Generator {
    uint64_t state[4];
    bool seeded;
};
Generator g_generator{};

uint64_t splitmix64(uint64_t* x) {
    uint64_t z = (*x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void generator_seed() {
    uint64_t seed = 0;
    if (!map_seed_random(&seed)) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        seed = uint64_t(now.tv_sec) * 1000000000ull + uint64_t(now.tv_nsec);
    }
    // splitmix64 never yields four zero words, the one state xoshiro cannot leave.
    for (uint64_t& word : g_generator.state) word = splitmix64(&seed);
    g_generator.seeded = true;
}

uint64_t next_u64() {
    if (!g_generator.seeded) generator_seed();
    uint64_t* s = g_generator.state;
    uint64_t result = std::rotl(s[1] * 5, 7) * 9;
    uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = std::rotl(s[3], 45);
    return result;
}

// Uniform in [0, 1) with all 53 bits of the mantissa random.
double next_unit() { return double(next_u64() >> 11) * 0x1p-53; }

// Uniform in [0, bound) without modulo bias (multiply-shift with rejection).
uint64_t next_below(uint64_t bound) {
    unsigned __int128 m = (unsigned __int128)next_u64() * bound;
    uint64_t low = uint64_t(m);
    if (low < bound) {
        uint64_t threshold = (0 - bound) % bound;
        while (low < threshold) {
            m = (unsigned __int128)next_u64() * bound;
            low = uint64_t(m);
        }
    }
    return uint64_t(m >> 64);
}

bool finite_args(const Value* args, int count, double* out) {
    for (int i = 0; i < count; ++i) {
        if (!float_arg(args, i, &out[i])) return false;
        if (!std::isfinite(out[i])) {
            raise_errorf(ERR_INVALID_ARGUMENTS, "Argument %d: expected a finite number", i + 1);
            return false;
        }
    }
    return true;
}

Value math_random(Value*, int) { return make_float(next_unit()); }

Value math_rand_bool(Value*, int) { return make_bool(next_u64() >> 63); }

// RandomInt(a, b): uniform over a..b, both included.
Value math_random_int(Value* args, int) {
    int64_t lo, hi;
    if (!int_arg(args, 0, &lo) || !int_arg(args, 1, &hi)) return nil_value();
    if (lo > hi) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "RandomInt: lower bound %lld is above upper bound %lld", (long long)lo,
                     (long long)hi);
        return nil_value();
    }
    uint64_t span = uint64_t(hi) - uint64_t(lo);  // the count minus one; fits even for the full range
    uint64_t offset = span == UINT64_MAX ? next_u64() : next_below(span + 1);
    return make_int(int64_t(uint64_t(lo) + offset));
}

// RandFloat(a, b): uniform in [a, b) (in (b, a] when b < a); a when they are equal.
Value math_rand_float(Value* args, int) {
    double bounds[2];
    if (!finite_args(args, 2, bounds)) return nil_value();
    double a = bounds[0], b = bounds[1], u = next_unit();
    double x = std::isfinite(b - a) ? a + (b - a) * u : a * (1.0 - u) + b * u;
    return make_float(x == b ? a : x);  // rounding may reach the excluded end
}

// Box-Muller; 1 - u keeps the logarithm's argument in (0, 1].
Value math_random_normal(Value* args, int) {
    double params[2];
    if (!finite_args(args, 2, params)) return nil_value();
    if (params[1] < 0.0) {
        raise_errorf(ERR_INVALID_ARGUMENTS, "RandomNormal: the standard deviation %g is negative", params[1]);
        return nil_value();
    }
    double radius = std::sqrt(-2.0 * std::log(1.0 - next_unit()));
    return make_float(params[0] + params[1] * radius * std::cos(2.0 * std::numbers::pi * next_unit()));
}

// A random item of the array; nil for an empty one.
Value math_rand_choice(Value* args, int) {
    if (!array_arg(args, 0)) return nil_value();
    const ObjHeader* array = as_obj(args[0]);
    uint32_t count = array_count(array);
    if (count == 0) return nil_value();
    return array_get(array, uint32_t(next_below(count)));
}

}  // namespace

constexpr Signature kNoneToFloat{T_FLOAT, {}};
constexpr Signature kNoneToBool{T_BOOL, {}};
constexpr Signature kTwoIntsToInt{T_INT, {T_INT, T_INT}};
constexpr Signature kArrayToAny{T_ANY, {T_ARRAY}};

// Catalogue order within the family.
constexpr BuiltinNative kMathRandomNatives[] = {
    {"Random", math_random, &kNoneToFloat},
    {"RandomInt", math_random_int, &kTwoIntsToInt},
    {"RandBool", math_rand_bool, &kNoneToBool},
    {"RandFloat", math_rand_float, &kTwoNumbersToFloat},
    {"RandChoice", math_rand_choice, &kArrayToAny},
    {"RandomNormal", math_random_normal, &kTwoNumbersToFloat},
};

void math_register_random() { builtin_register_module("Math", kMathRandomNatives); }

}  // namespace tarvik
