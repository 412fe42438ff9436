// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>
#if !defined(__cpp_lib_to_chars)
#include "model/decimal.h"
#endif

namespace vesk {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isDropped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// The first code point of each run of ten decimal digits, 0 to 9, that
// Unicode 16.0 has (general category Nd): ASCII's, and those that keyboards
// of other scripts and input methods type.
constexpr char32_t kDigitZeros[] = {
    0x0030,  0x0660,  0x06F0,  0x07C0,  0x0966,  0x09E6,  0x0A66,  0x0AE6,  0x0B66,  0x0BE6,
    0x0C66,  0x0CE6,  0x0D66,  0x0DE6,  0x0E50,  0x0ED0,  0x0F20,  0x1040,  0x1090,  0x17E0,
    0x1810,  0x1946,  0x19D0,  0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,
    0xA8D0,  0xA900,  0xA9D0,  0xA9F0,  0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x10D40,
    0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730,
    0x118E0, 0x11950, 0x11BF0, 0x11C50, 0x11D50, 0x11DA0, 0x11F50, 0x16130, 0x16A60, 0x16AC0,
    0x16B50, 0x16D70, 0x1CCF0, 0x1D7CE, 0x1D7D8, 0x1D7E2, 0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0,
    0x1E4F0, 0x1E5F1, 0x1E950, 0x1FBF0};

// The code point that starts at `at`, and its length in bytes. A byte that
// starts no well-formed UTF-8 sequence stands for itself, one byte long, and
// means nothing in a number.
std::pair<char32_t, std::size_t> decode(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (length == 1 || lead < 0xC2 || lead > 0xF4 || at + length > text.size())
        return {lead < 0x80 ? lead : 0xFFFD, 1};
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {0xFFFD, 1};
        c = c << 6 | (byte(i) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {0xFFFD, 1};
    return {c, length};
}

// What a character stands for in a number, as the ASCII character that
// means the same: any decimal digit is its digit; the full-width full stop
// and the Arabic decimal separator are the point; the minus sign is "-"; the
// no-break spaces and the ideographic space are a blank. Anything else
// outside ASCII means nothing here ('\x01').
char meaning(char32_t c)
{
    if (c < 0x80)
        return static_cast<char>(c);
    const auto* after = std::upper_bound(std::begin(kDigitZeros), std::end(kDigitZeros), c);
    if (after != std::begin(kDigitZeros) && c - after[-1] < 10)
        return static_cast<char>('0' + (c - after[-1]));
    switch (c) {
    case 0xFF0E: // FULLWIDTH FULL STOP
    case 0x066B: // ARABIC DECIMAL SEPARATOR
        return '.';
    case 0x2212: // MINUS SIGN
        return '-';
    case 0x00A0: // NO-BREAK SPACE
    case 0x202F: // NARROW NO-BREAK SPACE
    case 0x3000: // IDEOGRAPHIC SPACE
        return ' ';
    }
    return '\x01';
}

// Walks a text, UTF-8, by what its characters mean in a number, skipping
// those that are dropped, so that the number can be read in one pass
// without first copying the whole text.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) { skip(); }

    char peek() const { return pos_ < text_.size() ? current_ : '\0'; }

    void advance()
    {
        pos_ += length_;
        skip();
    }

    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos)
    {
        pos_ = pos;
        read();
    }

  private:
    void read()
    {
        if (pos_ >= text_.size())
            return;
        const auto [c, length] = decode(text_, pos_);
        current_ = meaning(c);
        length_ = length;
    }

    void skip()
    {
        for (read(); pos_ < text_.size() && isDropped(current_); read())
            pos_ += length_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    char current_ = '\0';
    std::size_t length_ = 0;
};

// Saturating decimal exponent: plenty to tell overflow from underflow.
constexpr long kExponentLimit = 100000000;

// The value of an out-of-range number: infinity if its decimal magnitude is
// positive, zero otherwise. `magnitude` is the power of ten of its first
// significant digit.
double outOfRange(long magnitude, bool negative)
{
    const double v = magnitude >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -v : v;
}

std::string_view nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

// Writes digits with a "," between groups of three, counted from the right.
void appendGrouped(std::string& out, std::string_view digits)
{
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
}

#if defined(__cpp_lib_to_chars)
// Fixed form of a finite double with the given decimals (at most two here):
// up to 309 integer digits, sign and point.
std::string toFixed(double value, int decimals)
{
    std::array<char, 330> buf;
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                 std::chars_format::fixed, decimals);
    return {buf.data(), r.ptr};
}

std::string generalForm(double value, int precision)
{
    std::array<char, 48> buf;
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                 std::chars_format::general, precision);
    return {buf.data(), r.ptr};
}

// The number's value, or nothing when it is beyond a double's range.
std::optional<double> toDouble(const std::string& number)
{
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    if (r.ec == std::errc::result_out_of_range)
        return std::nullopt;
    return value;
}
#else
// A standard library without floating-point to_chars and from_chars (the one
// the WebAssembly build links) leaves them to the program's own exact
// conversions: printf's %f and %g, which they write as, are what to_chars'
// fixed and general forms are defined by.
std::string toFixed(double value, int decimals)
{
    return decimal::Fixed(value, decimals);
}

std::string generalForm(double value, int precision)
{
    return decimal::General(value, precision);
}

std::optional<double> toDouble(const std::string& number)
{
    return decimal::ToDouble(number);
}
#endif

// Exponential forms are written as 1E+07 rather than to_chars' 1e+07.
void upperExponent(std::string& text)
{
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
}

// Below 2^53 every whole double converts to an integer exactly.
constexpr double kExactIntegers = 9007199254740992.0;

void appendGroupedInteger(std::string& out, std::uint64_t value)
{
    std::array<char, 24> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    appendGrouped(out, std::string_view(buf.data(), static_cast<std::size_t>(r.ptr - buf.data())));
}

// Fast form of StandardText for a non-negative value below 2^53: the whole part
// is exact, and so is the fraction v - floor(v); only its scaling by 100 can
// round, which matters only within a hair of a halfway case, left to the exact
// conversion. Returns false when it cannot decide.
bool appendStandardFast(std::string& out, double value)
{
    if (!(value < kExactIntegers))
        return false;
    const double whole = std::floor(value);
    const double cents = (value - whole) * 100.0;
    const double nearestHalf = std::floor(cents) + 0.5;
    if (std::fabs(cents - nearestHalf) < 1e-6)
        return false;
    auto units = static_cast<std::uint64_t>(whole);
    auto rounded = static_cast<unsigned>(std::nearbyint(cents));
    if (rounded == 100) {
        ++units;
        rounded = 0;
    }
    appendGroupedInteger(out, units);
    out += '.';
    out += static_cast<char>('0' + rounded / 10);
    out += static_cast<char>('0' + rounded % 10);
    return true;
}

std::string toGeneral(double value, int precision)
{
    std::string text = generalForm(value, precision);
    upperExponent(text);
    return text;
}

} // namespace

double ParseNumber(std::string_view text)
{
    Reader in(text);
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }

    // Mantissa digits without the point, and the power of ten of the first
    // significant one (for telling overflow from underflow).
    std::string number;
    long intDigits = 0;
    long leadingFractionZeros = 0;
    bool significant = false;
    bool anyDigit = false;
    while (isDigit(in.peek())) {
        anyDigit = true;
        if (in.peek() != '0' || significant) {
            significant = true;
            number += in.peek();
            if (intDigits < kExponentLimit)
                ++intDigits;
        }
        in.advance();
    }
    if (in.peek() == '.') {
        const std::size_t beforePoint = in.position();
        in.advance();
        if (!isDigit(in.peek()) && !anyDigit) {
            in.rewind(beforePoint);
        } else {
            number += '.';
            while (isDigit(in.peek())) {
                anyDigit = true;
                if (in.peek() == '0' && !significant) {
                    if (leadingFractionZeros < kExponentLimit)
                        ++leadingFractionZeros;
                } else {
                    significant = true;
                }
                number += in.peek();
                in.advance();
            }
        }
    }
    if (!anyDigit)
        return 0.0;
    if (!significant)
        return negative ? -0.0 : 0.0;

    long exponent = 0;
    if (in.peek() == 'e' || in.peek() == 'E') {
        const std::size_t beforeExponent = in.position();
        std::string exponentText = "e";
        in.advance();
        bool exponentNegative = false;
        if (in.peek() == '+' || in.peek() == '-') {
            exponentNegative = in.peek() == '-';
            exponentText += in.peek();
            in.advance();
        }
        if (!isDigit(in.peek())) {
            in.rewind(beforeExponent);
        } else {
            while (isDigit(in.peek())) {
                exponent = std::min(exponent * 10 + (in.peek() - '0'), kExponentLimit);
                exponentText += in.peek();
                in.advance();
            }
            if (exponentNegative)
                exponent = -exponent;
            number += exponentText;
        }
    }

    const std::optional<double> value = toDouble(number);
    if (!value) {
        const long magnitude =
            (intDigits > 0 ? intDigits - 1 : -(leadingFractionZeros + 1)) + exponent;
        return outOfRange(magnitude, negative);
    }
    return negative ? -*value : *value;
}

std::string PositionText(float value)
{
    if (!std::isfinite(value)) {
        const std::string_view t = nonFiniteText(value);
        return t.front() == '-' ? std::string(t) : " " + std::string(t);
    }
    if (value == 0.0f)
        return " 0"; // also for -0, which is not negative

    std::string digits = toGeneral(static_cast<double>(std::fabs(value)), 7);
    // toGeneral works on the widened value; seven significant digits of a float
    // and of its exact double widening are the same text.
    if (digits.starts_with("0."))
        digits.erase(0, 1);
    return (value < 0 ? "-" : " ") + digits;
}

std::string IntegerText(std::int16_t value)
{
    std::array<char, 8> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return {buf.data(), r.ptr};
}

std::string DoubleText(double value)
{
    if (!std::isfinite(value))
        return std::string(nonFiniteText(value));
    return toGeneral(value, 15);
}

std::string StandardText(double value)
{
    if (!std::isfinite(value))
        return std::string(nonFiniteText(value));
    std::string out;
    if (value >= 0 && appendStandardFast(out, value))
        return out;
    const std::string text = toFixed(value, 2);
    std::string_view fixed = text;
    out.reserve(fixed.size() + fixed.size() / 3);
    if (fixed.front() == '-') {
        fixed.remove_prefix(1);
        if (fixed != "0.00")
            out += '-';
    }
    const std::size_t point = fixed.find('.');
    appendGrouped(out, fixed.substr(0, point));
    out += fixed.substr(point);
    return out;
}

std::string GroupedText(double wholeNumber)
{
    if (!std::isfinite(wholeNumber))
        return std::string(nonFiniteText(wholeNumber));
    if (wholeNumber >= 1 && wholeNumber < kExactIntegers &&
        std::floor(wholeNumber) == wholeNumber) {
        std::string out;
        appendGroupedInteger(out, static_cast<std::uint64_t>(wholeNumber));
        return out;
    }
    const std::string text = toFixed(wholeNumber, 0);
    std::string_view fixed = text;
    std::string out;
    if (fixed.front() == '-') {
        fixed.remove_prefix(1);
        if (fixed != "0")
            out += '-';
    }
    if (fixed == "0")
        return out;
    out.reserve(out.size() + fixed.size() + fixed.size() / 3);
    appendGrouped(out, fixed);
    return out;
}

std::string ClampedFactorText(std::string_view typed)
{
    std::string text(typed);
    if (ParseNumber(text) < kLowestFactor)
        text = IntegerText(static_cast<std::int16_t>(kLowestFactor));
    if (ParseNumber(text) > kHighestFactor)
        text = DoubleText(kHighestFactor);
    return text;
}

} // namespace vesk
