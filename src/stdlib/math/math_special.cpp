// stdlib/math/math_special.cpp: gamma, beta and error functions with their relatives:
// digamma and the regularised incomplete gamma and beta functions. Arguments outside
// a function's domain give NaN, as the other float members do; nothing here raises
// except for arguments that are not numbers.
#include <cmath>
#include <numbers>

#include "stdlib/math/math_values.h"

namespace tarvik {

namespace {

constexpr double kEpsilon = 0x1p-52;
constexpr double kTiny = 1e-300;                // keeps Lentz's continued fractions off zero
constexpr double kLnSqrt2Pi = 0.91893853320467274178;
constexpr long kMaxTerms = 100000000;           // convergence takes O(sqrt(a)) terms

// ln(1 + d) - d without the cancellation of the direct form near 0.
double log1p_minus(double d) {
    if (std::fabs(d) >= 0.1) return std::log1p(d) - d;
    double power = d, sum = 0.0;
    for (int k = 2; k < 60; ++k) {
        power *= -d;
        double term = power / k;
        sum += term;
        if (std::fabs(term) <= kEpsilon * std::fabs(sum)) break;
    }
    return sum;
}

// ln Γ(x) - ((x - 1/2) ln x - x + ln √(2π)) for x >= 10 (Stirling's series).
double stirling_correction(double x) {
    double inv = 1.0 / x, inv2 = inv * inv;
    return inv * (1.0 / 12 - inv2 * (1.0 / 360 - inv2 * (1.0 / 1260 - inv2 * (1.0 / 1680 -
                  inv2 * (1.0 / 1188 - inv2 * (691.0 / 360360 - inv2 / 156))))));
}

// ln |B(a, b)|. For large arguments the Stirling forms keep the huge ln Γ terms
// from cancelling (ln Γ(1e6) is 1.3e7; its rounding alone would cost 1e-9).
double ln_beta(double a, double b) {
    if (!(a > 0.0 && b > 0.0)) return std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
    double p = std::fmin(a, b), q = std::fmax(a, b), s = p + q;
    if (p >= 10.0) {
        double correction = stirling_correction(p) + stirling_correction(q) - stirling_correction(s);
        return -0.5 * std::log(q) + kLnSqrt2Pi + correction + (p - 0.5) * std::log(p / s) + q * std::log1p(-p / s);
    }
    if (q >= 10.0) {
        double correction = stirling_correction(q) - stirling_correction(s);
        return std::lgamma(p) + correction + p - p * std::log(s) + (q - 0.5) * std::log1p(-p / s);
    }
    return std::lgamma(p) + std::lgamma(q) - std::lgamma(s);
}

double beta_of(double a, double b) {
    if (a > 0.0 && b > 0.0) return std::exp(ln_beta(a, b));
    return std::tgamma(a) * std::tgamma(b) / std::tgamma(a + b);  // poles give inf or NaN
}

// ψ(x): reflection below zero, recurrence up to 10, then the asymptotic series.
double digamma_of(double x) {
    if (std::isnan(x) || x == -INFINITY) return NAN;
    if (x == INFINITY) return x;
    double result = 0.0;
    if (x <= 0.0) {
        if (x == std::floor(x)) return NAN;  // poles at 0, -1, -2, ...
        // ψ(x) = ψ(1 - x) - π / tan(πx); tan has period π, so reduce x exactly first.
        result = -std::numbers::pi / std::tan(std::numbers::pi * (x - std::floor(x)));
        x = 1.0 - x;
    }
    for (; x < 10.0; x += 1.0) result -= 1.0 / x;
    double inv = 1.0 / x, inv2 = inv * inv;
    double series = inv2 * (1.0 / 12 - inv2 * (1.0 / 120 - inv2 * (1.0 / 252 - inv2 * (1.0 / 240 -
                    inv2 * (1.0 / 132 - inv2 * (691.0 / 32760 - inv2 / 12))))));
    return result + std::log(x) - 0.5 * inv - series;
}

// ---- regularised incomplete gamma --------------------------------------------------

// x^a e^-x / Γ(a); for a >= 10 in Stirling form around x = a, where the direct
// exponent a ln x - x - ln Γ(a) would cancel catastrophically.
double gamma_prefix(double a, double x) {
    if (a < 10.0) return std::exp(a * std::log(x) - x - std::lgamma(a));
    return std::sqrt(a / (2 * std::numbers::pi)) * std::exp(a * log1p_minus((x - a) / a) - stirling_correction(a));
}

// P(a, x) by its power series (x < a + 1); NaN if it fails to converge.
double gamma_p_series(double a, double x) {
    double term = 1.0 / a, sum = term;
    for (long n = 1; n < kMaxTerms; ++n) {
        term *= x / (a + n);
        sum += term;
        if (term <= sum * kEpsilon) return sum * gamma_prefix(a, x);
    }
    return NAN;
}

// Q(a, x) by its continued fraction (x >= a + 1), modified Lentz.
double gamma_q_fraction(double a, double x) {
    double b = x + 1.0 - a, c = 1.0 / kTiny, d = 1.0 / b, h = d;
    for (long i = 1; i < kMaxTerms; ++i) {
        double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = b + an / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1.0 / d;
        double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) <= kEpsilon) return h * gamma_prefix(a, x);
    }
    return NAN;
}

// Temme's uniform expansion, first term, for a > 1e12 where the series would need
// millions of terms; the terms left out are O(1/a) relative.
void gamma_uniform(double a, double x, double* p, double* q) {
    double d = (x - a) / a;  // λ - 1 with λ = x / a
    double eta = std::copysign(std::sqrt(-2.0 * log1p_minus(d)), d);
    double c0;
    if (std::fabs(eta) < 0.05) {  // 1/(λ-1) - 1/η cancels here: use its series in η
        constexpr double kC0[] = {-1.0 / 3, 1.0 / 12, -2.0 / 135, 1.0 / 864, 1.0 / 2835, -139.0 / 777600, 1.0 / 25515};
        c0 = 0.0;
        for (int k = 6; k >= 0; --k) c0 = c0 * eta + kC0[k];
    } else {
        c0 = 1.0 / d - 1.0 / eta;
    }
    double z = eta * std::sqrt(a / 2);
    double r = std::exp(-0.5 * a * eta * eta) / std::sqrt(2 * std::numbers::pi * a) * c0;
    *q = 0.5 * std::erfc(z) + r;
    *p = 0.5 * std::erfc(-z) - r;
}

// Both halves, each computed directly where it is the small one.
void incomplete_gamma(double a, double x, double* p, double* q) {
    if (std::isnan(a) || std::isnan(x) || !(a > 0.0) || std::isinf(a) || x < 0.0) {
        *p = *q = NAN;
    } else if (x == 0.0 || x == INFINITY) {
        *p = x == 0.0 ? 0.0 : 1.0;
        *q = 1.0 - *p;
    } else if (a > 1e12) {
        gamma_uniform(a, x, p, q);
    } else if (x < a + 1.0) {
        *p = gamma_p_series(a, x);
        *q = 1.0 - *p;
    } else {
        *q = gamma_q_fraction(a, x);
        *p = 1.0 - *q;
    }
}

double gamma_p_of(double a, double x) {
    double p, q;
    incomplete_gamma(a, x, &p, &q);
    return p;
}

double gamma_q_of(double a, double x) {
    double p, q;
    incomplete_gamma(a, x, &p, &q);
    return q;
}

// ---- regularised incomplete beta ----------------------------------------------------

// x^a (1-x)^b / B(a, b); in Stirling form around x = a / (a + b) when both are large.
double beta_prefix(double a, double b, double x) {
    if (std::fmin(a, b) < 10.0) return std::exp(a * std::log(x) + b * std::log1p(-x) - ln_beta(a, b));
    double s = a + b;
    double d1 = (x * s - a) / a, d2 = ((1.0 - x) * s - b) / b;  // a d1 + b d2 = 0
    double correction = stirling_correction(a) + stirling_correction(b) - stirling_correction(s);
    return std::exp(a * log1p_minus(d1) + b * log1p_minus(d2) + 0.5 * std::log(a * (b / s)) - kLnSqrt2Pi - correction);
}

// The continued fraction of I_x(a, b) (modified Lentz), for x < (a+1)/(a+b+2).
double beta_fraction(double a, double b, double x) {
    double c = 1.0, d = 1.0 - (a + b) * x / (a + 1.0);
    if (std::fabs(d) < kTiny) d = kTiny;
    d = 1.0 / d;
    double h = d;
    for (long m = 1; m < kMaxTerms; ++m) {
        double m2 = 2.0 * m;
        double steps[2] = {m * (b - m) * x / ((a - 1.0 + m2) * (a + m2)),
                           -(a + m) * (a + b + m) * x / ((a + m2) * (a + 1.0 + m2))};
        double step = 1.0;
        for (double aa : steps) {
            d = 1.0 + aa * d;
            if (std::fabs(d) < kTiny) d = kTiny;
            c = 1.0 + aa / c;
            if (std::fabs(c) < kTiny) c = kTiny;
            d = 1.0 / d;
            step = d * c;
            h *= step;
        }
        if (std::fabs(step - 1.0) <= kEpsilon) return h * beta_prefix(a, b, x) / a;
    }
    return NAN;
}

// BetaInc(a, b, x) = I_x(a, b) for finite a, b > 0 and 0 <= x <= 1.
double beta_inc_of(double a, double b, double x) {
    if (!(a > 0.0 && b > 0.0 && std::isfinite(a) && std::isfinite(b) && x >= 0.0 && x <= 1.0)) return NAN;
    if (x == 0.0 || x == 1.0) return x;
    if (x < (a + 1.0) / (a + b + 2.0)) return beta_fraction(a, b, x);
    return 1.0 - beta_fraction(b, a, 1.0 - x);
}

// ---- natives ------------------------------------------------------------------------

Value math_beta_inc(Value* args, int) {
    double a, b, x;
    if (!float_arg(args, 0, &a) || !float_arg(args, 1, &b) || !float_arg(args, 2, &x)) return nil_value();
    return make_float(beta_inc_of(a, b, x));
}

double gamma_of(double x) { return std::tgamma(x); }
double ln_gamma_of(double x) { return std::lgamma(x); }  // ln |Γ(x)|
double erf_of(double x) { return std::erf(x); }
double erfc_of(double x) { return std::erfc(x); }

}  // namespace

// Catalogue order within the family.
constexpr BuiltinNative kMathSpecialNatives[] = {
    {"Gamma", unary_float<gamma_of>, &kNumberToFloat},
    {"LnGamma", unary_float<ln_gamma_of>, &kNumberToFloat},
    {"Erf", unary_float<erf_of>, &kNumberToFloat},
    {"Erfc", unary_float<erfc_of>, &kNumberToFloat},
    {"Beta", binary_float<beta_of>, &kTwoNumbersToFloat},
    {"LnBeta", binary_float<ln_beta>, &kTwoNumbersToFloat},
    {"Digamma", unary_float<digamma_of>, &kNumberToFloat},
    {"GammaP", binary_float<gamma_p_of>, &kTwoNumbersToFloat},
    {"GammaQ", binary_float<gamma_q_of>, &kTwoNumbersToFloat},
    {"BetaInc", math_beta_inc, &kThreeNumbersToFloat},
};

void math_register_special() { builtin_register_module("Math", kMathSpecialNatives); }

}  // namespace tarvik
