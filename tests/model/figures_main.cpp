// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Writes the figures table (tests/model/figures.h) to the file named, and,
// when a second is named, the Enter rows (tests/ui/enter_table.h) to it, one
// a line between tabs: name, typed, text after, position, method, its colour
// as rrggbb, multiple of c, metres per second (the last four empty where the
// row does not check them).
#include "tests/model/figures.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3)
        return 2;
    std::ofstream(argv[1], std::ios::binary) << vesk::test::Figures();
    if (argc == 3) {
        std::ofstream rows(argv[2], std::ios::binary);
        for (const vesk::test::EnterRow& row : vesk::test::kEnterRows) {
            char colour[8] = "";
            if (row.method != nullptr)
                std::snprintf(colour, sizeof colour, "%02x%02x%02x", row.colour.r, row.colour.g,
                              row.colour.b);
            rows << row.name << '\t' << row.typed << '\t' << row.after << '\t' << row.position
                 << '\t' << (row.method ? row.method : "") << '\t' << colour << '\t'
                 << (row.light ? row.light : "") << '\t' << (row.metres ? row.metres : "") << '\n';
        }
    }
    return 0;
}
