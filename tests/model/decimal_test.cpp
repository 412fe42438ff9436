// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The exact conversions the WebAssembly build writes and reads numbers with:
// rows whose answers are known, and, where the standard library has its own
// (to_chars, from_chars), a sweep of many values held to it.
#include "model/decimal.h"

#include "tests/model/row_name.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vesk;

struct TextRow {
    const char* name;
    double value;
    int digits;
    const char* text;
};

// printf's %.*f, %.*g.
const TextRow kFixed[] = {
    {"zero", 0.0, 2, "0.00"},
    {"negative_zero", -0.0, 2, "-0.00"},
    {"no_decimals", 1516.5, 0, "1516"}, // a tie goes to the even neighbour
    {"no_decimals_odd", 1517.5, 0, "1518"},
    {"rounds_down", 1516.4622, 2, "1516.46"},
    {"tie_goes_even", 0.125, 2, "0.12"},
    {"above_the_tie", 1.005, 2, "1.00"}, // 1.00499999999999989...
    {"carries_through_nines", 9.999, 2, "10.00"},
    {"tiny_rounds_to_zero", 0.001, 2, "0.00"},
    {"tiny_rounds_up", 0.006, 2, "0.01"},
    {"negative_tiny", -0.001, 2, "-0.00"},
    {"large_whole", 59813529670512.0, 0, "59813529670512"},
    {"two_to_the_sixty", 1152921504606846976.0, 0, "1152921504606846976"},
    {"largest", std::numeric_limits<double>::max(), 0,
     "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955"
     "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762"
     "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723"
     "168738177180919299881250404026184124858368"},
};

const TextRow kGeneral[] = {
    {"zero", 0.0, 15, "0"},
    {"negative_zero", -0.0, 15, "-0"},
    {"top_of_the_scale", 9.9999, 15, "9.9999"},
    {"a_position", 1.5, 7, "1.5"},
    {"below_one", 0.005f, 7, "0.005"}, // the float's widening, to seven digits
    {"seven_digits", 1.0f / 3, 7, "0.3333333"},
    {"fifteen_digits", 0.1, 15, "0.1"},
    {"seventeen_digits", 0.1, 17, "0.10000000000000001"},
    {"exponent_low", 0.00001, 7, "1e-05"},
    {"fixed_at_the_edge", 0.0001, 7, "0.0001"},
    {"exponent_high", 10000000.0, 7, "1e+07"},
    {"rounds_into_the_exponent", 9999999.5, 7, "1e+07"},
    {"exponent_with_digits", 123456789.0, 7, "1.234568e+08"},
    {"three_digit_exponent", 1e300, 15, "1e+300"},
    {"smallest_subnormal", 4.9406564584124654e-324, 15, "4.94065645841247e-324"},
    {"precision_zero", 2.5, 0, "2"},
};

struct ReadRow {
    const char* name;
    const char* number;
    double value; // NaN: out of range
};

const double kOut = std::numeric_limits<double>::quiet_NaN();

const ReadRow kRead[] = {
    {"zero", "0", 0.0},
    {"many_zeros", "000.000e5", 0.0},
    {"whole", "95", 95.0},
    {"point", "9.9999", 9.9999},
    {"bound", "9.99", 9.99},
    {"leading_point", ".005", 0.005},
    {"exponent", "1e1", 10.0},
    {"negative_exponent", "15e-1", 1.5},
    {"plus_exponent", "1.5E+2", 150.0},
    {"tie_to_even_down", "9007199254740993", 9007199254740992.0},
    {"tie_to_even_up", "9007199254740995", 9007199254740996.0},
    // Just above the tie, by a digit far past those that are kept.
    {"above_the_tie_far_out",
     "9007199254740993."
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
     "1",
     9007199254740994.0},
    {"largest", "1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"overflow", "1.8e308", kOut},
    {"far_overflow", "1e999999", kOut},
    {"smallest_normal", "2.2250738585072014e-308", std::numeric_limits<double>::min()},
    {"subnormal", "4e-320", 4e-320},
    {"smallest_subnormal", "4.9406564584124654e-324", 4.9406564584124654e-324},
    {"half_the_smallest_is_zero", "2.4703282292062327e-324", kOut},
    {"just_over_half_rounds_up", "2.4703282292062328e-324", 4.9406564584124654e-324},
    {"far_underflow", "1e-999999", kOut},
};

struct FixedRows : testing::TestWithParam<TextRow> {};
TEST_P(FixedRows, AsPrintfWritesThem)
{
    EXPECT_EQ(decimal::Fixed(GetParam().value, GetParam().digits), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Decimal, FixedRows, testing::ValuesIn(kFixed), RowName());

struct GeneralRows : testing::TestWithParam<TextRow> {};
TEST_P(GeneralRows, AsPrintfWritesThem)
{
    EXPECT_EQ(decimal::General(GetParam().value, GetParam().digits), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Decimal, GeneralRows, testing::ValuesIn(kGeneral), RowName());

struct ReadRows : testing::TestWithParam<ReadRow> {};
TEST_P(ReadRows, NearestDouble)
{
    const std::optional<double> got = decimal::ToDouble(GetParam().number);
    if (std::isnan(GetParam().value)) {
        EXPECT_FALSE(got.has_value()) << *got;
    } else {
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(*got, GetParam().value);
        EXPECT_EQ(std::signbit(*got), std::signbit(GetParam().value));
    }
}
INSTANTIATE_TEST_SUITE_P(Decimal, ReadRows, testing::ValuesIn(kRead), RowName());

#if defined(__cpp_lib_to_chars)
// Values spread over every binary exponent, and over the window's own range.
std::vector<double> spread()
{
    std::mt19937_64 random(20261210);
    std::vector<double> values;
    for (int i = 0; i < 40000; ++i) {
        double v;
        std::uint64_t bits = random();
        if (i % 4 == 0)
            bits &= 0x7FFFFFFFFFFFFFFF; // positive
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v))
            values.push_back(v);
        values.push_back(std::ldexp(double(random() >> 11), -49) * (i % 2 ? 1 : -1)); // 0 to 16
    }
    return values;
}

std::string standard(double value, std::chars_format format, int precision)
{
    std::string out(400, '\0');
    const auto r = std::to_chars(out.data(), out.data() + out.size(), value, format, precision);
    out.resize(std::size_t(r.ptr - out.data()));
    return out;
}

TEST(DecimalSweep, WritesAsToCharsDoes)
{
    int differ = 0;
    for (const double v : spread()) {
        for (const int precision : {1, 7, 15, 17})
            if (decimal::General(v, precision) !=
                    standard(v, std::chars_format::general, precision) &&
                ++differ <= 5)
                ADD_FAILURE() << "%." << precision << "g of "
                              << standard(v, std::chars_format::scientific, 20);
        if (std::fabs(v) < 1e30)
            for (const int decimals : {0, 2})
                if (decimal::Fixed(v, decimals) !=
                        standard(v, std::chars_format::fixed, decimals) &&
                    ++differ <= 5)
                    ADD_FAILURE() << "%." << decimals << "f of "
                                  << standard(v, std::chars_format::scientific, 20);
    }
    EXPECT_EQ(differ, 0);
}

TEST(DecimalSweep, ReadsAsFromCharsDoes)
{
    std::mt19937_64 random(1997);
    int differ = 0;
    const auto compare = [&](const std::string& number) {
        double want = 0;
        const auto r = std::from_chars(number.data(), number.data() + number.size(), want);
        const std::optional<double> got = decimal::ToDouble(number);
        const bool same = r.ec == std::errc::result_out_of_range ? !got : got && *got == want;
        if (!same && ++differ <= 5)
            ADD_FAILURE() << number << ": " << (got ? std::to_string(*got) : "out of range");
    };
    for (const double v : spread()) {
        // Back from its shortest text, and from its 17 digits.
        compare(standard(std::fabs(v), std::chars_format::general, 17));
        // The point halfway to its neighbour, whose every digit a long
        // double of 64 bits holds: a tie, which goes to the even one.
        const double next = std::nextafter(std::fabs(v), INFINITY);
        if (std::isfinite(next)) {
            char half[900];
            std::snprintf(half, sizeof half, "%.800Le",
                          (static_cast<long double>(std::fabs(v)) + next) / 2);
            compare(half);
        }
    }
    // Digit strings of every length and exponent.
    for (int i = 0; i < 20000; ++i) {
        std::string number;
        const int length = 1 + int(random() % 30);
        for (int d = 0; d < length; ++d)
            number += char('0' + random() % 10);
        if (random() % 2)
            number.insert(random() % number.size(), ".");
        number += "e" + std::to_string(int(random() % 700) - 350);
        compare(number);
    }
    EXPECT_EQ(differ, 0);
}
#endif

} // namespace
