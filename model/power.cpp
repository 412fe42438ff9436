// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/power.h"

#include <cmath>

namespace vesk {
namespace {

// A number as the unevaluated sum hi + lo, |lo| <= half an ulp of hi. The
// error-free steps are Knuth's two-sum and Dekker's two-product (with
// Veltkamp's split, so that no fused multiply-add is needed).
struct DD {
    double hi, lo;
};

DD quickTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

DD twoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

void split(double a, double& hi, double& lo)
{
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    const double t = kSplitter * a;
    hi = t - (t - a);
    lo = a - hi;
}

DD twoProduct(double a, double b)
{
    const double p = a * b;
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DD add(DD a, DD b)
{
    DD s = twoSum(a.hi, b.hi);
    const DD t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = quickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return quickTwoSum(s.hi, s.lo);
}

DD mul(DD a, DD b)
{
    DD p = twoProduct(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return quickTwoSum(p.hi, p.lo);
}

DD mul(DD a, double b)
{
    DD p = twoProduct(a.hi, b);
    p.lo += a.lo * b;
    return quickTwoSum(p.hi, p.lo);
}

DD scale(DD a, double powerOfTwo)
{
    return {a.hi * powerOfTwo, a.lo * powerOfTwo};
}

constexpr DD kLn2{0.6931471805599453, 2.3190468138462996e-17};

// 1/n! for n = 2 to 9, as double-doubles.
constexpr DD kInverseFactorial[] = {
    {0.5, 0.0},
    {0.16666666666666666, 9.25185853854297e-18},
    {0.041666666666666664, 2.3129646346357427e-18},
    {0.008333333333333333, 1.1564823173178714e-19},
    {0.001388888888888889, -5.300543954373577e-20},
    {0.0001984126984126984, 1.7209558293420705e-22},
    {2.48015873015873e-05, 2.1511947866775882e-23},
    {2.7557319223985893e-06, -1.858393274046472e-22},
};

// e^a - 1 for |a| <= ln 2 / 2, as e^r - 1 with r = a / 2^10 by its Taylor
// series (nine terms: |r| < 3.4e-4 leaves under 1e-32), then squared back up
// ten times as (1 + s)^2 - 1 = s (2 + s), which keeps the digits near zero.
DD expm1Reduced(DD a)
{
    constexpr int kHalvings = 10;
    const DD r = scale(a, 1.0 / 1024.0);
    DD s = kInverseFactorial[7];
    for (int i = 6; i >= 0; --i)
        s = add(mul(s, r), kInverseFactorial[i]);
    s = add(mul(s, r), DD{1.0, 0.0});
    s = mul(s, r);
    for (int i = 0; i < kHalvings; ++i)
        s = mul(s, add(s, DD{2.0, 0.0}));
    return s;
}

// e^a, for a within the range of normal results.
DD exp(DD a)
{
    const double k = std::nearbyint(a.hi / kLn2.hi);
    const DD r = add(a, mul(kLn2, -k));
    const DD e = add(expm1Reduced(r), DD{1.0, 0.0});
    return {std::ldexp(e.hi, static_cast<int>(k)), std::ldexp(e.lo, static_cast<int>(k))};
}

// ln x for x > 0: one Newton step from the system's own logarithm, y + ln(x
// e^-y), with ln(1 + t) = t - t^2/2 for the tiny t that is left.
DD log(double x)
{
    const double y = std::log(x);
    const DD t = add(mul(exp(DD{-y, 0.0}), x), DD{-1.0, 0.0});
    return add(DD{y, 0.0}, add(t, DD{-0.5 * t.hi * t.hi, 0.0}));
}

} // namespace

double Power(double x, double y)
{
    if (!(x > 0) || !std::isfinite(x) || !std::isfinite(y))
        return std::pow(x, y);
    if (x == 1 || y == 0)
        return 1;
    const DD exponent = mul(log(x), y);
    // Outside these, the result is not a normal double: overflow, underflow
    // or a subnormal, which the system's own pow rounds as well as any.
    if (!(std::fabs(exponent.hi) < 708))
        return std::pow(x, y);
    const DD r = exp(exponent);
    return r.hi + r.lo;
}

} // namespace vesk
