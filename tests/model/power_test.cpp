// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The model's power function is correctly rounded: the exact cases, and cases
// where a system's pow (glibc's here, mingw-w64's elsewhere) is one unit in
// the last place off. Expected values worked out with 50 decimal digits.
#include "model/power.h"
#include "row_name.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct PowerRow {
    const char* name;
    double x, y, expected;
};

struct PowerTable : testing::TestWithParam<PowerRow> {};

TEST_P(PowerTable, NearestDouble)
{
    const PowerRow& row = GetParam();
    EXPECT_EQ(vesk::Power(row.x, row.y), row.expected) << std::hexfloat << row.x << "^" << row.y;
}

INSTANTIATE_TEST_SUITE_P(
    Power, PowerTable,
    testing::Values(
        PowerRow{"two_to_the_fifth", 2, 5, 32}, PowerRow{"ten_to_the_fifth", 10, 5, 1e5},
        PowerRow{"one_to_any", 1, 3.3333332538604736, 1}, PowerRow{"a_tenth_squared", 0.5, 2, 0.25},
        PowerRow{"fifth_power_a", 0x1.0e212ac31b732p+1, 5, 0x1.4ee38b7f63147p+5},
        PowerRow{"fifth_power_b", 0x1.65da4f7459667p+2, 5, 0x1.55966cc50e18ap+12},
        PowerRow{"fifth_power_c", 0x1.43344dd9c1b9p+2, 5, 0x1.9a94048a9a0e9p+11},
        PowerRow{"law_a", 0x1.8d73080978318p+2, 0x1.aa6581a7679bp+1, 0x1.b6878a695515dp+8},
        PowerRow{"law_b", 0x1.19515f9ef4eb9p+3, 0x1.b9dbfcade2d0cp+1, 0x1.c5bfcf505d813p+10},
        PowerRow{"law_c", 0x1.2c157a9a70c7bp+3, 0x1.bab1d8662ef2ep+1, 0x1.1fb3d6d3d9855p+11}),
    RowName());

// Outside x > 0 it is the system's pow, whose special values every platform
// shares.
TEST(PowerTest, SpecialValues)
{
    EXPECT_EQ(vesk::Power(0, 5), 0);
    EXPECT_EQ(vesk::Power(-2, 5), -32);
    EXPECT_TRUE(std::isnan(vesk::Power(-1, 3.5)));
    EXPECT_EQ(vesk::Power(1e300, 5), HUGE_VAL);
}

} // namespace
