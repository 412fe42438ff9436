// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/number_text.h"
#include "model/speed_model.h"

#include "tests/model/row_name.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace {

using namespace vesk;

struct ModelRow {
    const char* name;
    double w;
    double v; // to two decimals
    std::string_view method;
    double metres;
};

class ModelTable : public testing::TestWithParam<ModelRow> {};

TEST_P(ModelTable, SpeedWordAndMetres)
{
    const ModelRow& row = GetParam();
    const double v = SpeedModel::multipleOfC(row.w);
    EXPECT_NEAR(v, row.v, 0.005);
    EXPECT_EQ(SpeedModel::method(row.w), row.method);
    EXPECT_EQ(SpeedModel::metresPerSecond(v), row.metres);
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, ModelTable,
    testing::Values(ModelRow{"zero", 0, 0.00, "Established", 0},
                    ModelRow{"half", 0.5, 0.10, "Established", 29742974},
                    ModelRow{"one", 1, 1.00, "Established", 299792458},
                    ModelRow{"two", 2, 10.08, "Established", 3021739412},
                    ModelRow{"five", 5, 213.75, "Established", 64080792926},
                    ModelRow{"eight", 8, 1024.03, "Established", 306996921325},
                    ModelRow{"nine", 9, 1516.46, "Established", 454623932129},
                    ModelRow{"bound_9_2", 9.2, 1649.75, "Interpolated", 494583354970},
                    ModelRow{"bound_9_6", 9.6, 1909.57, "Interpolated", 572476066074},
                    ModelRow{"bound_9_9", 9.9, 3053.43, "Interpolated", 915394907152},
                    ModelRow{"bound_9_99", 9.99, 7912.19, "Interpolated", 2372014316707},
                    ModelRow{"top_row", 9.999, 181052.96, "Interpolated", 54278312292860},
                    ModelRow{"scale_end", 9.9999, 199516.46, "Interpolated", 59813529670512}),
    RowName{});

TEST(SpeedModel, OneIsExactlyTheSpeedOfLight)
{
    EXPECT_EQ(SpeedModel::multipleOfC(1.0), 1.0);
    EXPECT_EQ(SpeedModel::multipleOfC(0.0), 0.0);
}

TEST(SpeedModel, WordChangesStrictlyAboveNine)
{
    EXPECT_EQ(SpeedModel::method(9.0), "Established");
    EXPECT_EQ(SpeedModel::method(std::nextafter(9.0, 10.0)), "Interpolated");
    EXPECT_EQ(SpeedModel::method(9.001), "Interpolated");
    EXPECT_EQ(SpeedModel::method(0.0), "Established");
}

// Approaching each bound from below through the row beneath it gives the
// value of the bound's own row: the correction is continuous.
class Continuity : public testing::TestWithParam<double> {};

TEST_P(Continuity, BelowAndAtTheBoundAgree)
{
    const double bound = GetParam();
    const double below = SpeedModel::multipleOfC(std::nextafter(bound, 0.0));
    const double at = SpeedModel::multipleOfC(bound);
    EXPECT_NEAR(below, at, 1e-6) << "bound " << bound;
    EXPECT_LT(below, at); // the speed keeps rising through the bound
}

INSTANTIATE_TEST_SUITE_P(AnchorBounds, Continuity, testing::Values(9.0, 9.2, 9.6, 9.9, 9.99));

TEST(SpeedModel, BoundReadFromTextFallsInItsOwnRow)
{
    for (const char* text : {"9.2", "9.6", "9.9", "9.99"}) {
        const double w = ParseNumber(text);
        EXPECT_EQ(SpeedModel::multipleOfC(w), SpeedModel::multipleOfC(std::stod(text))) << text;
    }
    // 9.99 from the text sits exactly on the top row's start: offset 5755.
    EXPECT_EQ(SpeedModel::metresPerSecond(SpeedModel::multipleOfC(ParseNumber("9.99"))),
              2372014316707.0);
}

// The exponent is 10/3 in single precision; with the double nearest 10/3 the
// figure at factor 9 would be about 80,000 m/s larger.
TEST(SpeedModel, SinglePrecisionExponentShowsAtNine)
{
    const double w = 9.0;
    const double pole = 1.0 / (100000.0 - std::pow(w, 5.0));
    const double withDouble = std::floor(std::pow(w, 10.0 / 3.0 + pole) * 2.99792458 * 1e8);
    const double actual = SpeedModel::metresPerSecond(SpeedModel::multipleOfC(w));
    EXPECT_EQ(actual, 454623932129.0);
    EXPECT_GT(withDouble - actual, 70000.0);
    EXPECT_LT(withDouble - actual, 90000.0);
}

TEST(SpeedModel, MetresAreFloored)
{
    EXPECT_EQ(SpeedModel::metresPerSecond(1.0), 299792458.0);
    // 1e-9 c is 0.2997... m/s: floored to 0, not rounded.
    EXPECT_EQ(SpeedModel::metresPerSecond(1e-9), 0.0);
    EXPECT_EQ(SpeedModel::metresPerSecond(3.4e-9), 1.0);
}

// Outside the scale nothing is undefined: the results are IEEE values.
TEST(SpeedModel, OutsideTheScaleGivesIeeeValues)
{
    EXPECT_TRUE(std::isinf(SpeedModel::multipleOfC(10.0)));
    EXPECT_TRUE(std::isnan(SpeedModel::multipleOfC(-1.0)));
    EXPECT_TRUE(std::isnan(SpeedModel::multipleOfC(std::nan(""))));
    EXPECT_TRUE(std::isfinite(SpeedModel::multipleOfC(12.0)));
}

} // namespace
