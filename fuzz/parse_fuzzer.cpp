// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the text rules and checks what must always hold:
// no crash or undefined behaviour, a factor held within the scale gives finite
// texts, every scroll position's text reads back as its factor, and the
// WebAssembly build's own conversions give what the standard library's do.
#include "model/decimal.h"
#include "model/number_text.h"
#include "model/results.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

bool finiteText(std::string_view t)
{
    return t.find("NaN") == std::string_view::npos && t.find("Infinity") == std::string_view::npos;
}

std::string standard(double value, std::chars_format format, int precision)
{
    std::string out(400, '\0');
    const auto r = std::to_chars(out.data(), out.data() + out.size(), value, format, precision);
    out.resize(std::size_t(r.ptr - out.data()));
    return out;
}

// The bytes as a number of the form ParseNumber hands on: digits, perhaps a
// point among them, and an exponent from the first two bytes.
std::string numberOf(const std::uint8_t* data, std::size_t size)
{
    std::string number;
    for (std::size_t i = 2; i < size && i < 120; ++i)
        number += data[i] == '.' && number.find('.') == std::string::npos
                      ? '.'
                      : char('0' + data[i] % 10);
    if (number.find_first_of("0123456789") == std::string::npos)
        number += '0';
    return number + "e" + std::to_string(int(data[0] | data[1] << 8) % 800 - 400);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double w = vesk::ParseNumber(text);
    check(!std::isnan(w));

    // Whatever the text, the results exist; held within 0 to 9.9999 (as the
    // Enter key does) they are finite.
    const vesk::Results any = vesk::ResultsFor(text);
    check(any.method == "Established" || any.method == "Interpolated");
    std::string held(text);
    if (w < 0)
        held = vesk::IntegerText(0);
    else if (w > 9.9999)
        held = vesk::DoubleText(9.9999);
    const vesk::Results r = vesk::ResultsFor(held);
    check(finiteText(r.multipleOfC) && finiteText(r.metresPerSecond));
    check(r.multipleOfC.size() >= 4 && r.multipleOfC.size() <= 10);

    if (size >= 2) {
        const int p = (data[0] | data[1] << 8) % 10000;
        check(vesk::ParseNumber(vesk::PositionText(static_cast<float>(p) / 1000.0f)) == p / 1000.0);
    }

    if (size >= 3) {
        const std::string number = numberOf(data, size);
        double want = 0;
        const auto read = std::from_chars(number.data(), number.data() + number.size(), want);
        const std::optional<double> got = vesk::decimal::ToDouble(number);
        check(read.ec == std::errc::result_out_of_range ? !got : got && *got == want);
    }

    // The same bytes taken as a double exercise the writers on any value.
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        if (std::isfinite(v)) {
            for (const int precision : {7, 15, 17})
                check(vesk::decimal::General(v, precision) ==
                      standard(v, std::chars_format::general, precision));
            check(vesk::decimal::Fixed(v, 2) == standard(v, std::chars_format::fixed, 2));
        }
        (void)vesk::StandardText(v);
        (void)vesk::DoubleText(v);
        (void)vesk::PositionText(static_cast<float>(v));
        const std::string grouped = vesk::GroupedText(v);
        if (std::isfinite(v))
            check(grouped.find_first_not_of("-0123456789,") == std::string::npos);
        if (std::fabs(v) < 1e308) {
            // Fifteen significant digits read back to within their precision.
            const double back = vesk::ParseNumber(vesk::DoubleText(v));
            check(std::fabs(back - v) <= std::fabs(v) * 1e-14 + 5e-324);
        }
    }
    return 0;
}
