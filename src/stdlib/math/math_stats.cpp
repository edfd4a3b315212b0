// stdlib/math/math_stats.cpp: statistics over arrays of numbers (plain, typed and
// flat float arrays). Sum, Product, MinOf, MaxOf and Mode give an int when every
// item is an int; Mean, Median, Variance and Stddev always give a float.
#include <algorithm>
#include <bit>
#include <cmath>

#include "runtime/errors.h"
#include "stdlib/math/math_values.h"

namespace tarvik {

namespace {

// Calls visit(Number) for every item; false after raising for a non-number.
template <typename Visit>
bool each_number(const ObjHeader* array, Visit&& visit) {
    uint32_t count = array_count(array);
    for (uint32_t i = 0; i < count; ++i) {
        Number n;
        if (!array_number(array, i, &n)) return false;
        visit(n);
    }
    return true;
}

// The array argument, or null after raising.
const ObjHeader* numbers_arg(const Value* args) { return array_arg(args, 0) ? as_obj(args[0]) : nullptr; }

// Exact int total in 128 bits (10,000,000 items of 2^63 stay far inside) and a
// Neumaier-compensated float total; the plain float total decides infinities, where
// compensation would turn inf - inf into NaN.
struct Total {
    __int128 ints = 0;
    double sum = 0.0, compensation = 0.0, plain = 0.0;
    bool any_float = false;

    void add_float(double x) {
        double t = sum + x;
        compensation += std::fabs(sum) >= std::fabs(x) ? (sum - t) + x : (x - t) + sum;
        sum = t;
        plain += x;
    }
    void add(const Number& n) {
        if (n.is_int) {
            ints += n.i;
        } else {
            any_float = true;
            add_float(n.d);
        }
    }
    double value() {
        add_float(double(ints));
        return std::isfinite(plain) ? sum + compensation : plain;
    }
};

Value math_sum(Value* args, int) {
    const ObjHeader* array = numbers_arg(args);
    Total total;
    if (!array || !each_number(array, [&](const Number& n) { total.add(n); })) return nil_value();
    return total.any_float ? make_float(total.value()) : make_wide_int(total.ints);
}

Value math_product(Value* args, int) {
    const ObjHeader* array = numbers_arg(args);
    int64_t exact = 1;
    double wide = 1.0;
    bool all_ints = true, fits = true, int_zero = false;
    bool ok = array && each_number(array, [&](const Number& n) {
        wide *= n.d;
        all_ints = all_ints && n.is_int;
        int_zero = int_zero || (n.is_int && n.i == 0);
        if (n.is_int && fits) fits = !__builtin_mul_overflow(exact, n.i, &exact);
    });
    if (!ok) return nil_value();
    if (!all_ints) return make_float(wide);
    // An int zero makes the product 0 even after the float stand-in overflowed.
    if (int_zero) return make_int(0);
    return fits ? make_int(exact) : make_float(wide);
}

// MinOf and MaxOf: ints compare exactly; a NaN item makes the answer NaN.
template <bool Greater>
Value math_extreme(Value* args, int) {
    const ObjHeader* array = numbers_arg(args);
    if (!array) return nil_value();
    Number best{};
    bool any = false, all_ints = true, nan = false;
    bool ok = each_number(array, [&](const Number& n) {
        all_ints = all_ints && n.is_int;
        nan = nan || (!n.is_int && std::isnan(n.d));
        bool better = n.is_int && best.is_int ? (Greater ? n.i > best.i : n.i < best.i)
                                              : (Greater ? n.d > best.d : n.d < best.d);
        if (!any || better) best = n;
        any = true;
    });
    if (!ok) return nil_value();
    if (!any) return nil_value();
    if (all_ints) return make_int(best.i);
    return make_float(nan ? NAN : best.d);
}

// Arithmetic mean; the running mean stands in when the total overflows.
bool mean_of(const ObjHeader* array, double* out) {
    Total total;
    if (!each_number(array, [&](const Number& n) { total.add(n); })) return false;
    uint32_t count = array_count(array);
    double mean = total.value() / count;
    if (std::isinf(mean)) {
        double running = 0.0;
        uint32_t k = 0;
        each_number(array, [&](const Number& n) { running += (n.d - running) / ++k; });
        if (std::isfinite(running)) mean = running;
    }
    *out = mean;
    return true;
}

Value math_mean(Value* args, int) {
    const ObjHeader* array = numbers_arg(args);
    double mean;
    if (!array || array_count(array) == 0) return nil_value();
    return mean_of(array, &mean) ? make_float(mean) : nil_value();
}

// Population variance by the corrected two-pass method.
template <bool Root>
Value math_variance(Value* args, int) {
    const ObjHeader* array = numbers_arg(args);
    double mean;
    if (!array || array_count(array) == 0 || !mean_of(array, &mean)) return nil_value();
    double squares = 0.0, deviations = 0.0;
    each_number(array, [&](const Number& n) {
        double d = n.d - mean;
        squares += d * d;
        deviations += d;
    });
    double count = array_count(array);
    double variance = std::max(0.0, (squares - deviations * deviations / count) / count);
    if (std::isnan(squares)) variance = squares;
    return make_float(Root ? std::sqrt(variance) : variance);
}

// Keys whose unsigned order is the numeric order of doubles (NaN excepted).
uint64_t order_key(double d) {
    uint64_t bits = std::bit_cast<uint64_t>(d == 0.0 ? 0.0 : d);  // -0.0 joins 0.0
    if (std::isnan(d)) bits = 0x7FF8000000000000ull;              // one NaN, above +inf
    return (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
}
double key_value(uint64_t key) {
    return std::bit_cast<double>((key >> 63) ? key & ~(uint64_t(1) << 63) : ~key);
}

// The items' keys in scratch; false after raising. *nan tells whether any was NaN.
bool fill_keys(const ObjHeader* array, Scratch<uint64_t>& keys, bool* nan) {
    if (!keys.reserve(array_count(array))) return false;
    uint64_t* out = keys.data();
    *nan = false;
    return each_number(array, [&](const Number& n) {
        *nan = *nan || std::isnan(n.d);
        *out++ = order_key(n.d);
    });
}

// Middle item, or the mean of the two middle items; selection on a scratch copy.
Value math_median(Value* args, int) {
    const ObjHeader* array = numbers_arg(args);
    if (!array || array_count(array) == 0) return nil_value();
    Scratch<uint64_t> keys;
    bool nan;
    if (!fill_keys(array, keys, &nan)) return nil_value();
    if (nan) return make_float(NAN);
    uint32_t count = array_count(array);
    uint64_t* first = keys.data();
    uint64_t* middle = first + (count - 1) / 2;
    std::nth_element(first, middle, first + count);
    double low = key_value(*middle);
    if (count % 2) return make_float(low);
    double high = key_value(*std::min_element(middle + 1, first + count));
    return make_float(std::isfinite(low + high) ? (low + high) / 2 : low / 2 + high / 2);
}

// Sorts the data and answers the value of the longest run; ties go to the smallest.
template <typename T>
T most_frequent(T* data, uint32_t count) {
    std::sort(data, data + count);
    T best = data[0];
    uint32_t best_run = 0;
    for (uint32_t i = 0; i < count;) {
        uint32_t j = i;
        while (j < count && data[j] == data[i]) ++j;
        if (j - i > best_run) {
            best_run = j - i;
            best = data[i];
        }
        i = j;
    }
    return best;
}

// The most frequent value (numeric equality; all NaNs count as one value).
Value math_mode(Value* args, int) {
    const ObjHeader* array = numbers_arg(args);
    if (!array || array_count(array) == 0) return nil_value();
    bool all_ints = true;
    if (!each_number(array, [&](const Number& n) { all_ints = all_ints && n.is_int; })) return nil_value();
    uint32_t count = array_count(array);
    if (all_ints) {
        Scratch<int64_t> ints;
        if (!ints.reserve(count)) return nil_value();
        int64_t* out = ints.data();
        each_number(array, [&](const Number& n) { *out++ = n.i; });
        return make_int(most_frequent(ints.data(), count));
    }
    Scratch<uint64_t> keys;
    bool nan;
    if (!fill_keys(array, keys, &nan)) return nil_value();
    return make_float(key_value(most_frequent(keys.data(), count)));
}

}  // namespace

constexpr Signature kArrayToFloat{T_FLOAT, {T_ARRAY}};
constexpr Signature kArrayToNumber{T_NUMBER, {T_ARRAY}};

// Catalogue order within the family.
constexpr BuiltinNative kMathStatsNatives[] = {
    {"Mean", math_mean, &kArrayToFloat},
    {"Median", math_median, &kArrayToFloat},
    {"Mode", math_mode, &kArrayToNumber},
    {"Variance", math_variance<false>, &kArrayToFloat},
    {"Stddev", math_variance<true>, &kArrayToFloat},
    {"Sum", math_sum, &kArrayToNumber},
    {"Product", math_product, &kArrayToNumber},
    {"MinOf", math_extreme<false>, &kArrayToNumber},
    {"MaxOf", math_extreme<true>, &kArrayToNumber},
};

void math_register_stats() { builtin_register_module("Math", kMathStatsNatives); }

}  // namespace tarvik
