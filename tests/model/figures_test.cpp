// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Every figure of the table, as this platform's build computes it, against the
// table the machine that builds wrote (VESK_FIGURES): the same to the last
// digit, whatever the compiler and its libraries.
#include "tests/model/figures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(Figures, SameAsTheBuildingMachine)
{
    std::ifstream written(VESK_FIGURES, std::ios::binary);
    ASSERT_TRUE(written) << "cannot read " << VESK_FIGURES;
    std::stringstream mine(vesk::test::Figures());
    std::string want, got;
    int line = 0, differ = 0;
    while (std::getline(written, want)) {
        ++line;
        ASSERT_TRUE(std::getline(mine, got)) << "the written table is longer, at line " << line;
        if (got != want && ++differ <= 10)
            ADD_FAILURE() << "line " << line << "\n  written: " << want << "\n  here:    " << got;
    }
    EXPECT_FALSE(std::getline(mine, got)) << "the written table is shorter";
    EXPECT_EQ(differ, 0);
    EXPECT_GT(line, 30000);
}
