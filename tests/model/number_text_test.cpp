// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/number_text.h"

#include "tests/model/row_name.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace vesk;

struct ParseRow {
    const char* name;
    std::string text;
    double value;
};

class Parse : public testing::TestWithParam<ParseRow> {};

TEST_P(Parse, ReadsTheLeadingNumber)
{
    const ParseRow& row = GetParam();
    const double got = ParseNumber(row.text);
    if (std::isnan(row.value))
        FAIL() << "table rows never expect NaN";
    EXPECT_EQ(got, row.value) << '"' << row.text << '"';
    EXPECT_EQ(std::signbit(got), std::signbit(row.value)) << '"' << row.text << '"';
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Numbers, Parse,
    testing::Values(
        ParseRow{"plain", "5", 5}, ParseRow{"fraction", "1.2345", 1.2345},
        ParseRow{"no_leading_digit", ".005", 0.005}, ParseRow{"scroll_text", " .005", 0.005},
        ParseRow{"scroll_text_whole", " 9.999", 9.999}, ParseRow{"negative", "-3", -3},
        ParseRow{"plus", "+2.5", 2.5}, ParseRow{"trailing_point", "7.", 7},
        ParseRow{"exponent", "1e1", 10}, ParseRow{"exponent_upper_signed", "25E-1", 2.5},
        ParseRow{"exponent_plus", "1.5e+2", 150}, ParseRow{"negative_zero", "-0", -0.0},
        ParseRow{"zeros", "000.000", 0}, ParseRow{"leading_zeros", "0009.9999", 9.9999}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(BlanksDropped, Parse,
                         testing::Values(ParseRow{"inner_blank", "9 5", 95},
                                         ParseRow{"tab_and_newline", "\t1\n.5", 1.5},
                                         ParseRow{"blank_after_sign", "- 3", -3},
                                         ParseRow{"blank_in_exponent", "1 e 2", 100},
                                         ParseRow{"carriage_return_ends", "1\r2", 1},
                                         ParseRow{"only_blanks", "  \t\n", 0}),
                         RowName{});

INSTANTIATE_TEST_SUITE_P(
    StopsAtTheFirstStranger, Parse,
    testing::Values(
        ParseRow{"letters_after", "12abc", 12}, ParseRow{"comma", "9,5", 9},
        ParseRow{"second_point", "1.2.3", 1.2}, ParseRow{"exponent_without_digits", "3e", 3},
        ParseRow{"exponent_sign_only", "3e-", 3}, ParseRow{"exponent_then_letter", "3Ex", 3},
        ParseRow{"double_sign", "--1", 0}, ParseRow{"letters", "abc", 0}, ParseRow{"empty", "", 0},
        ParseRow{"lone_point", ".", 0}, ParseRow{"lone_sign", "-", 0},
        ParseRow{"point_then_exponent", ".e5", 0}, ParseRow{"hex_is_not_read", "0x10", 0},
        ParseRow{"words_are_not_numbers", "inf", 0}, ParseRow{"nan_is_not_read", "nan", 0},
        ParseRow{"utf8_after", "4\xC2\xB0", 4}),
    RowName{});

// A number from any keyboard reads as the ASCII number it stands for.
INSTANTIATE_TEST_SUITE_P(
    AnyKeyboard, Parse,
    testing::Values(
        ParseRow{"full_width", "\uFF19\uFF0E\uFF15", 9.5},
        ParseRow{"full_width_with_ascii_point", "\uFF19.\uFF15", 9.5},
        ParseRow{"arabic_indic", "\u0669\u066B\u0665", 9.5},
        ParseRow{"extended_arabic_indic", "\u06F1\u06F2", 12},
        ParseRow{"devanagari", "\u096F.\u096B", 9.5}, ParseRow{"thai", "\u0E59.\u0E55", 9.5},
        ParseRow{"bengali_exponent", "\u09E7e\u09E7", 10},
        ParseRow{"mathematical_bold", "\U0001D7D7", 9}, ParseRow{"minus_sign", "\u22125", -5},
        ParseRow{"minus_sign_full_width_digits", "\u2212\uFF10\uFF0E\uFF15", -0.5},
        ParseRow{"no_break_space_first", "\u00A09.5", 9.5},
        ParseRow{"narrow_no_break_space_inside", "9\u202F5", 95},
        ParseRow{"ideographic_space", "\u3000\uFF19", 9},
        ParseRow{"arabic_comma_ends", "9\u060C5", 9},
        ParseRow{"full_width_comma_ends", "\uFF19\uFF0C\uFF15", 9},
        ParseRow{"superscript_is_no_digit", "\u00B2", 0},
        ParseRow{"ill_formed_byte",
                 "\xFF"
                 "9",
                 0},
        ParseRow{"cut_sequence", "9\xEF\xBC", 9}, ParseRow{"overlong_digit", "\xC0\xB9", 0},
        ParseRow{"surrogate",
                 "\xED\xA0\x80"
                 "9",
                 0}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    BeyondTheDoubleRange, Parse,
    testing::Values(
        ParseRow{"overflow", "1e400", kInf}, ParseRow{"negative_overflow", "-1e400", -kInf},
        ParseRow{"many_digits", std::string(400, '9'), kInf},
        ParseRow{"huge_exponent", "1e99999999999999999999999", kInf},
        ParseRow{"underflow", "1e-400", 0}, ParseRow{"negative_underflow", "-1e-400", -0.0},
        ParseRow{"underflow_after_zeros", "0.0001e-330", 0},
        ParseRow{"big_mantissa_small_exponent", "123456e-400", 0},
        ParseRow{"small_mantissa_big_exponent", "0.0000001e315", 1e308},
        ParseRow{"subnormal", "4e-320", 4e-320}, ParseRow{"zero_with_huge_exponent", "0e99999", 0}),
    RowName{});

TEST(ParseNumberTest, LongTextsReadOnlyWhatTheyHold)
{
    std::string longNumber = "1." + std::string(100000, '0') + "1";
    EXPECT_EQ(ParseNumber(longNumber), 1.0);
    std::string blanks = std::string(100000, ' ') + "7";
    EXPECT_EQ(ParseNumber(blanks), 7.0);
    // A view into a larger buffer must not be read past its end.
    const std::string buffer = "12345";
    EXPECT_EQ(ParseNumber(std::string_view(buffer).substr(0, 2)), 12.0);
}

// The decimal separator is "." whatever the process locale says. (The C
// library of WebAssembly has no locale but its one, whose point is ".":
// nothing there can say otherwise.)
#if !defined(__EMSCRIPTEN__)
TEST(ParseNumberTest, IgnoresACommaLocale)
{
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de-DE", "German"})
        if (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',') {
            comma = true;
            break;
        }
    if (!comma) {
        std::setlocale(LC_ALL, "C");
        FAIL() << "no locale with a decimal comma is installed (the test command's "
                  "scripts/install-deps.sh makes de_DE.UTF-8)";
    }
    EXPECT_EQ(ParseNumber("9.5"), 9.5);
    EXPECT_EQ(ParseNumber("9,5"), 9.0);
    EXPECT_EQ(DoubleText(9.9999), "9.9999");
    EXPECT_EQ(StandardText(1516.4622), "1,516.46");
    EXPECT_EQ(PositionText(1.5f), " 1.5");
    std::setlocale(LC_ALL, "C");
}
#endif

struct TextRow {
    const char* name;
    double value;
    const char* text;
};

class PositionTextTest : public testing::TestWithParam<TextRow> {};
TEST_P(PositionTextTest, Writes)
{
    EXPECT_EQ(PositionText(static_cast<float>(GetParam().value)), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Forms, PositionTextTest,
    testing::Values(TextRow{"zero", 0, " 0"}, TextRow{"negative_zero", -0.0, " 0"},
                    TextRow{"thousandths", 0.005, " .005"}, TextRow{"hundredth", 0.01, " .01"},
                    TextRow{"half", 0.5, " .5"}, TextRow{"one_and_a_half", 1.5, " 1.5"},
                    TextRow{"whole", 9, " 9"}, TextRow{"top", 9.999, " 9.999"},
                    TextRow{"negative", -1.5, "-1.5"}, TextRow{"negative_fraction", -0.25, "-.25"},
                    TextRow{"seven_digits", 1.0 / 3.0, " .3333333"},
                    TextRow{"rounded_to_seven", 2.0 / 3.0, " .6666667"},
                    TextRow{"large_whole", 1234567, " 1234567"},
                    TextRow{"large_exponential", 12345678, " 1.234568E+07"},
                    TextRow{"small_exponential", 0.00001, " 1E-05"},
                    TextRow{"infinite", std::numeric_limits<double>::infinity(), " Infinity"},
                    TextRow{"nan", std::numeric_limits<double>::quiet_NaN(), " NaN"}),
    RowName{});

// Every scroll position: the text is the position in thousandths with zeros
// trimmed, and reading it back gives exactly position / 1000.
TEST(PositionTextTest, AllScrollPositionsRoundTrip)
{
    for (int p = 0; p <= 9999; ++p) {
        std::string expected = " ";
        if (p >= 1000 || p == 0)
            expected += std::to_string(p / 1000);
        if (p % 1000 != 0) {
            std::string frac = std::to_string(1000 + p % 1000).substr(1);
            while (frac.back() == '0')
                frac.pop_back();
            expected += "." + frac;
        }
        const std::string text = PositionText(static_cast<float>(p) / 1000.0f);
        ASSERT_EQ(text, expected) << "position " << p;
        ASSERT_EQ(ParseNumber(text), p / 1000.0) << "position " << p;
    }
}

TEST(IntegerTextTest, Writes)
{
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(9999), "9999");
    EXPECT_EQ(IntegerText(-32768), "-32768");
    EXPECT_EQ(IntegerText(32767), "32767");
}

class DoubleTextTest : public testing::TestWithParam<TextRow> {};
TEST_P(DoubleTextTest, Writes)
{
    EXPECT_EQ(DoubleText(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Forms, DoubleTextTest,
    testing::Values(TextRow{"top_of_scale", 9.9999, "9.9999"}, TextRow{"zero", 0, "0"},
                    TextRow{"below_one", 0.5, "0.5"}, TextRow{"fifteen_digits", 0.1 + 0.2, "0.3"},
                    TextRow{"third", 1.0 / 3.0, "0.333333333333333"},
                    TextRow{"negative", -2.25, "-2.25"}, TextRow{"exponential", 1e20, "1E+20"},
                    TextRow{"infinite", -std::numeric_limits<double>::infinity(), "-Infinity"}),
    RowName{});

class StandardTextTest : public testing::TestWithParam<TextRow> {};
TEST_P(StandardTextTest, Writes)
{
    EXPECT_EQ(StandardText(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Forms, StandardTextTest,
    testing::Values(
        TextRow{"zero", 0, "0.00"}, TextRow{"rounds_up", 0.0992, "0.10"},
        TextRow{"groups", 1516.4622, "1,516.46"}, TextRow{"two_groups", 199516.459, "199,516.46"},
        TextRow{"just_below_boundary", 1024.0315, "1,024.03"},
        TextRow{"exact_hundreds", 999.999, "1,000.00"},
        TextRow{"million", 1234567.891, "1,234,567.89"},
        TextRow{"no_group_below_thousand", 999.5, "999.50"},
        TextRow{"half_to_even_down", 0.125, "0.12"}, TextRow{"half_to_even_up", 0.375, "0.38"},
        TextRow{"not_exactly_half", 1.005, "1.00"}, TextRow{"negative", -1234.5, "-1,234.50"},
        TextRow{"negative_rounds_to_zero", -0.001, "0.00"},
        TextRow{"huge", 1e20, "100,000,000,000,000,000,000.00"},
        TextRow{"nan", std::numeric_limits<double>::quiet_NaN(), "NaN"}),
    RowName{});

class GroupedTextTest : public testing::TestWithParam<TextRow> {};
TEST_P(GroupedTextTest, Writes)
{
    EXPECT_EQ(GroupedText(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Forms, GroupedTextTest,
    testing::Values(TextRow{"zero_is_empty", 0, ""}, TextRow{"negative_zero_is_empty", -0.0, ""},
                    TextRow{"one", 1, "1"}, TextRow{"three_digits", 999, "999"},
                    TextRow{"four_digits", 1000, "1,000"},
                    TextRow{"light", 299792458, "299,792,458"},
                    TextRow{"twelve_digits", 454623932129, "454,623,932,129"},
                    TextRow{"longer_than_pattern", 59813529670512, "59,813,529,670,512"},
                    TextRow{"fraction_rounds", 2.5, "2"}, TextRow{"fraction_up", 2.7, "3"},
                    TextRow{"below_half_is_empty", 0.4, ""}, TextRow{"negative", -1234, "-1,234"},
                    TextRow{"beyond_int64", 1e20, "100,000,000,000,000,000,000"},
                    TextRow{"infinite", std::numeric_limits<double>::infinity(), "Infinity"}),
    RowName{});

TEST(GroupedTextTest, LargestDoubleIsWrittenInFull)
{
    const std::string text = GroupedText(std::numeric_limits<double>::max());
    EXPECT_EQ(text.size(), 309u + 102u);
    EXPECT_EQ(text.substr(0, 8), "179,769,");
}

} // namespace

namespace {

// printf in the C locale rounds the exact binary value to nearest, halfway
// cases to even: an independent reference for StandardText's digits.
std::string printfStandard(double v)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string digits = buf;
    std::string out;
    const std::size_t point = digits.find('.');
    for (std::size_t i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out + digits.substr(point);
}

TEST(StandardTextTest, AgreesWithExactRoundingEverywhere)
{
    std::vector<double> values;
    for (int cents = 0; cents < 100000; ++cents) {
        values.push_back(cents / 100.0);         // on a hundredth
        values.push_back(cents / 100.0 + 0.005); // halfway, or within a hair of it
        values.push_back(cents * 0.125);         // exact binary halves of hundredths
    }
    for (double v = 1e-3; v < 1e16; v *= 1.37)
        values.push_back(v);
    values.push_back(9007199254740991.0);
    values.push_back(9007199254740992.0);
    values.push_back(0.995);
    values.push_back(999999.995);
    for (double v : values)
        ASSERT_EQ(StandardText(v), printfStandard(v)) << std::hexfloat << v;
}

} // namespace
