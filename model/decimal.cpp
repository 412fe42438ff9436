// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/decimal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vesk::decimal {
namespace {

// A non-negative number as decimal digits: 0.d[0]d[1]...d[nd-1] times
// 10^dp, with no trailing zero digit. Digits past the last one kept are
// dropped; `dropped` says whether any of them was not zero, which is all a
// tie needs to know.
class Decimal {
  public:
    static constexpr int kDigits = 800;
    // A shift multiplies or divides by at most 2^60, so that a digit times
    // 2^60 plus a carry still fits 64 bits.
    static constexpr int kMostShift = 60;

    void assign(std::uint64_t v)
    {
        std::array<std::uint8_t, 20> reversed{};
        int n = 0;
        for (; v > 0; v /= 10)
            reversed[std::size_t(n++)] = std::uint8_t(v % 10);
        nd_ = 0;
        for (int i = n - 1; i >= 0; --i)
            d_[std::size_t(nd_++)] = reversed[std::size_t(i)];
        dp_ = nd_;
        trim();
    }

    // Reads digits with an optional point; the exponent is added to dp.
    void read(std::string_view number, long exponent)
    {
        nd_ = 0;
        dp_ = 0;
        bool point = false;
        for (const char c : number) {
            if (c == '.') {
                point = true;
                continue;
            }
            if (c == '0' && nd_ == 0) {
                if (point)
                    --dp_; // a zero between the point and the first digit
                continue;
            }
            if (!point)
                ++dp_;
            if (nd_ < kDigits)
                d_[std::size_t(nd_++)] = std::uint8_t(c - '0');
            else if (c != '0')
                dropped_ = true;
        }
        dp_ = int(std::clamp<long>(dp_ + exponent, -100000, 100000));
        trim();
    }

    // Times 2^k (k > 0) or divided by 2^-k.
    void shift(int k)
    {
        for (; k > kMostShift; k -= kMostShift)
            shiftLeft(kMostShift);
        for (; k < -kMostShift; k += kMostShift)
            shiftRight(kMostShift);
        if (k > 0)
            shiftLeft(k);
        else if (k < 0)
            shiftRight(-k);
    }

    // Keeps `n` digits, rounded to the nearest, a tie to even.
    void round(int n)
    {
        if (n < 0 || n >= nd_)
            return;
        if (roundsUp(n)) {
            for (int i = n - 1; i >= 0; --i)
                if (d_[std::size_t(i)] < 9) {
                    ++d_[std::size_t(i)];
                    nd_ = i + 1;
                    return;
                }
            d_[0] = 1; // all nines: one more digit before them
            nd_ = 1;
            ++dp_;
        } else {
            nd_ = n;
            trim();
        }
    }

    // The whole part, rounded; only for a number below 2^64.
    std::uint64_t rounded() const
    {
        std::uint64_t n = 0;
        int i = 0;
        for (; i < dp_ && i < nd_; ++i)
            n = n * 10 + d_[std::size_t(i)];
        for (; i < dp_; ++i)
            n *= 10;
        return roundsUp(dp_) ? n + 1 : n;
    }

    bool zero() const { return nd_ == 0; }
    int point() const { return dp_; }
    // The digit at `i`, counted from the first; zero outside those kept.
    int digit(int i) const { return i >= 0 && i < nd_ ? d_[std::size_t(i)] : 0; }
    int digits() const { return nd_; }

  private:
    // Whether the digits from `n` on are more than half a unit in the last
    // place kept, or exactly half and the digit before them odd.
    bool roundsUp(int n) const
    {
        if (n < 0 || n >= nd_)
            return false;
        if (d_[std::size_t(n)] == 5 && n + 1 == nd_)
            return dropped_ || (n > 0 && d_[std::size_t(n - 1)] % 2 != 0);
        return d_[std::size_t(n)] >= 5;
    }

    void trim()
    {
        while (nd_ > 0 && d_[std::size_t(nd_ - 1)] == 0)
            --nd_;
        if (nd_ == 0)
            dp_ = 0;
    }

    // Times 2^k, from the last digit up, the new digits written backwards.
    void shiftLeft(int k)
    {
        std::array<std::uint8_t, kDigits + 20> reversed;
        int n = 0;
        std::uint64_t carry = 0;
        for (int r = nd_ - 1; r >= 0; --r) {
            carry += std::uint64_t(d_[std::size_t(r)]) << k;
            reversed[std::size_t(n++)] = std::uint8_t(carry % 10);
            carry /= 10;
        }
        for (; carry > 0; carry /= 10)
            reversed[std::size_t(n++)] = std::uint8_t(carry % 10);
        dp_ += n - nd_;
        nd_ = 0;
        for (int i = n - 1; i >= 0; --i) {
            if (nd_ < kDigits)
                d_[std::size_t(nd_++)] = reversed[std::size_t(i)];
            else if (reversed[std::size_t(i)] != 0)
                dropped_ = true;
        }
        trim();
    }

    // Divided by 2^k: long division, digit by digit from the first.
    void shiftRight(int k)
    {
        int r = 0, w = 0;
        std::uint64_t n = 0;
        for (; n >> k == 0; ++r) {
            if (r >= nd_) {
                if (n == 0) {
                    nd_ = 0;
                    dp_ = 0;
                    return;
                }
                for (; n >> k == 0; ++r)
                    n *= 10;
                break;
            }
            n = n * 10 + d_[std::size_t(r)];
        }
        dp_ -= r - 1;
        const std::uint64_t mask = (std::uint64_t{1} << k) - 1;
        for (; r < nd_; ++r) {
            const std::uint64_t c = d_[std::size_t(r)];
            d_[std::size_t(w++)] = std::uint8_t(n >> k);
            n = (n & mask) * 10 + c;
        }
        for (; n > 0; n = (n & mask) * 10) {
            if (w < kDigits)
                d_[std::size_t(w++)] = std::uint8_t(n >> k);
            else if (n >> k != 0)
                dropped_ = true;
        }
        nd_ = w;
        trim();
    }

    std::array<std::uint8_t, kDigits> d_{};
    int nd_ = 0;
    int dp_ = 0;
    bool dropped_ = false;
};

// A double's bits and back. (std::bit_cast, where every library has it.)
std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double fromBits(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

constexpr int kMantissaBits = 52;
constexpr int kBias = -1023;
constexpr int kTopExponent = 2047; // all ones: infinity

// The exact value of a finite double's magnitude.
Decimal exactly(double value)
{
    const std::uint64_t bits = bitsOf(value);
    const int stored = int(bits >> kMantissaBits & kTopExponent);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << kMantissaBits) - 1);
    int exponent = stored + kBias;
    if (stored == 0)
        ++exponent; // subnormal: no leading one
    else
        mantissa |= std::uint64_t{1} << kMantissaBits;
    Decimal d;
    d.assign(mantissa);
    d.shift(exponent - kMantissaBits);
    return d;
}

// The digits from `from` up to (not including) `to`, as text.
std::string digitsOf(const Decimal& d, int from, int to)
{
    std::string out;
    for (int i = from; i < to; ++i)
        out += char('0' + d.digit(i));
    return out;
}

std::string fixedDigits(const Decimal& d, int decimals)
{
    std::string out = d.point() > 0 ? digitsOf(d, 0, d.point()) : "0";
    if (decimals > 0)
        out += '.' + digitsOf(d, d.point(), d.point() + decimals);
    return out;
}

} // namespace

std::optional<double> ToDouble(std::string_view number)
{
    const std::size_t e = number.find_first_of("eE");
    long exponent = 0;
    if (e != std::string_view::npos) {
        const std::string_view text = number.substr(e + 1);
        const bool negative = !text.empty() && text.front() == '-';
        for (const char c :
             text.substr(!text.empty() && (text.front() == '-' || text.front() == '+')))
            exponent = std::min(exponent * 10 + (c - '0'), 1000000L);
        if (negative)
            exponent = -exponent;
        number = number.substr(0, e);
    }
    Decimal d;
    d.read(number, exponent);
    if (d.zero())
        return 0.0;
    // Far beyond the range either way: no need to shift to know.
    if (d.point() > 310 || d.point() < -330)
        return std::nullopt;

    // Brought within [1/2, 1) by powers of two, counted; the larger steps
    // first, each as large as keeps the digits from running out.
    constexpr int kSteps[] = {1, 3, 6, 9, 13, 16, 19, 23, 26};
    const auto step = [&](int p) { return p < int(std::size(kSteps)) ? kSteps[p] : 27; };
    int exponent2 = 0;
    while (d.point() > 0) {
        const int n = step(d.point());
        d.shift(-n);
        exponent2 += n;
    }
    while (d.point() < 0 || (d.point() == 0 && d.digit(0) < 5)) {
        const int n = step(-d.point());
        d.shift(n);
        exponent2 -= n;
    }
    --exponent2; // now within [1, 2)
    // Below the smallest normal exponent, the mantissa loses bits.
    if (exponent2 < kBias + 1) {
        const int n = kBias + 1 - exponent2;
        d.shift(-n);
        exponent2 += n;
    }
    if (exponent2 - kBias >= kTopExponent)
        return std::nullopt;
    d.shift(1 + kMantissaBits);
    std::uint64_t mantissa = d.rounded();
    if (mantissa == std::uint64_t{2} << kMantissaBits) { // rounded up past the top
        mantissa >>= 1;
        if (++exponent2 - kBias >= kTopExponent)
            return std::nullopt;
    }
    if (mantissa == 0)
        return std::nullopt;
    if ((mantissa & std::uint64_t{1} << kMantissaBits) == 0)
        exponent2 = kBias; // subnormal
    return fromBits((mantissa & ((std::uint64_t{1} << kMantissaBits) - 1)) |
                    std::uint64_t(exponent2 - kBias) << kMantissaBits);
}

std::string Fixed(double value, int decimals)
{
    Decimal d = exactly(value);
    d.round(d.point() + decimals);
    return (std::signbit(value) ? "-" : "") + fixedDigits(d, decimals);
}

std::string General(double value, int precision)
{
    precision = std::max(precision, 1);
    Decimal d = exactly(value);
    d.round(precision);
    const int exponent = d.zero() ? 0 : d.point() - 1;
    std::string out = std::signbit(value) ? "-" : "";
    if (exponent >= -4 && exponent < precision) {
        std::string fixed = fixedDigits(d, precision - 1 - exponent);
        if (fixed.find('.') != std::string::npos) {
            fixed.erase(fixed.find_last_not_of('0') + 1);
            if (fixed.back() == '.')
                fixed.pop_back();
        }
        return out + fixed;
    }
    out += char('0' + d.digit(0));
    if (d.digits() > 1)
        out += '.' + digitsOf(d, 1, d.digits());
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out += exponent < 0 ? "e-" : "e+";
    if (magnitude < 10)
        out += '0';
    return out + std::to_string(magnitude);
}

} // namespace vesk::decimal
