#include "model/results.h"

#include "tests/model/row_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace vesk;

struct ResultsRow {
    const char* name;
    const char* text;
    const char* method;
    Rgb colour;
    const char* light;
    const char* metres;
};

class ResultsTable : public testing::TestWithParam<ResultsRow> {};

TEST_P(ResultsTable, ShowsTheThreeTexts)
{
    const ResultsRow& row = GetParam();
    const Results r = ResultsFor(row.text);
    EXPECT_EQ(r.method, row.method);
    EXPECT_EQ(r.methodColour, row.colour);
    EXPECT_EQ(r.multipleOfC, row.light);
    EXPECT_EQ(r.metresPerSecond, row.metres);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ResultsTable,
    testing::Values(
        ResultsRow{"zero", " 0", "Established", kGreen, "0.00", ""},
        ResultsRow{"half", " .5", "Established", kGreen, "0.10", "29,742,974"},
        ResultsRow{"one", " 1", "Established", kGreen, "1.00", "299,792,458"},
        ResultsRow{"nine", " 9", "Established", kGreen, "1,516.46", "454,623,932,129"},
        ResultsRow{"nine_two", " 9.2", "Interpolated", kYellow, "1,649.75", "494,583,354,970"},
        ResultsRow{"top", "9.9999", "Interpolated", kYellow, "199,516.46", "59,813,529,670,512"},
        ResultsRow{"typed_zero", "0", "Established", kGreen, "0.00", ""},
        ResultsRow{"not_a_number", "abc", "Established", kGreen, "0.00", ""},
        ResultsRow{"just_above_nine", "9.001", "Interpolated", kYellow, "1,517.11",
                   "454,819,335,311"},
        ResultsRow{"nine_and_a_half", " 9.5", "Interpolated", kYellow, "1,842.28",
                   "552,300,155,500"}),
    RowName{});

TEST(ResultsForTest, SameTextSameResults)
{
    const Results a = ResultsFor(" 9.5");
    const Results b = ResultsFor(" 9.5");
    EXPECT_EQ(a.method, b.method);
    EXPECT_EQ(a.multipleOfC, b.multipleOfC);
    EXPECT_EQ(a.metresPerSecond, b.metresPerSecond);
}

// Factors the window never lets through still give texts, never a crash.
TEST(ResultsForTest, OutsideTheScale)
{
    EXPECT_EQ(ResultsFor("10").multipleOfC, "Infinity");
    EXPECT_EQ(ResultsFor("-1").multipleOfC, "NaN");
    EXPECT_EQ(ResultsFor("-1").method, "Established");
    EXPECT_EQ(ResultsFor("1e400").metresPerSecond, "Infinity");
}

} // namespace
