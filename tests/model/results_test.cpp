// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/results.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace vesk;

// What each text shows is checked where the user sees it, in the window's own
// tests; here, what only the procedure itself can be asked.

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
