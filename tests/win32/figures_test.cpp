// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The Windows program shows exactly the Linux program's texts: the figures
// table worked out here, line for line against the one the Linux build wrote.
#include "tests/model/figures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(Figures, SameAsTheLinuxBuild)
{
    std::ifstream written(VESK_LINUX_FIGURES, std::ios::binary);
    ASSERT_TRUE(written) << "cannot read " << VESK_LINUX_FIGURES;
    std::stringstream mine(vesk::test::Figures());
    std::string want, got;
    int line = 0, differ = 0;
    while (std::getline(written, want)) {
        ++line;
        ASSERT_TRUE(std::getline(mine, got)) << "the Linux table is longer, at line " << line;
        if (got != want && ++differ <= 10)
            ADD_FAILURE() << "line " << line << "\n  Linux:   " << want << "\n  Windows: " << got;
    }
    EXPECT_FALSE(std::getline(mine, got)) << "the Linux table is shorter";
    EXPECT_EQ(differ, 0);
    EXPECT_GT(line, 30000);
}
