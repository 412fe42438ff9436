// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The texts the window shows for a large set of factors, one line each:
// every scroll position's text, the factors of the tables, and typed factors
// spread over the whole scale. A build writes it; another platform's build
// must write the same, byte for byte.
#pragma once

#include "model/number_text.h"
#include "model/results.h"
#include "tests/ui/enter_table.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace vesk::test {

inline std::string FigureLine(const std::string& factorText)
{
    const Results r = ResultsFor(factorText);
    return factorText + '\t' + std::string(r.method) + '\t' + r.multipleOfC + '\t' +
           r.metresPerSecond + '\n';
}

inline std::string Figures()
{
    std::string out;
    for (int p = 0; p <= 9999; ++p)
        out += FigureLine(PositionText(static_cast<float>(p) / 1000.0f));
    for (const EnterRow& row : kEnterRows)
        out += FigureLine(row.after);
    for (const char* t : {"9.2", "9.6", "9.9", "9.99", "9.999", "9.9999", "0.5", "2", "8"})
        out += FigureLine(t);
    // Typed factors with all seventeen digits, from a fixed sequence.
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    char text[40];
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double w = static_cast<double>(state >> 11) / 9007199254740992.0 * 9.9999;
        std::snprintf(text, sizeof text, "%.17g", w);
        out += FigureLine(text);
    }
    return out;
}

} // namespace vesk::test
