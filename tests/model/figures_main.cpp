// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Writes the figures table (tests/model/figures.h) to the file named.
#include "tests/model/figures.h"

#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::ofstream(argv[1], std::ios::binary) << vesk::test::Figures();
    return 0;
}
