// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The general power function of the speed model, correctly rounded: x^y is
// worked out in double-double arithmetic (about 106 bits) and rounded once to
// the nearest double. The model's figures then no longer hang on a system's
// own pow, which may be off by a unit in the last place (mingw-w64's is, for
// w^5), so every platform shows the same texts for the same factor.
#pragma once

namespace vesk {

// x^y for x > 0 and finite y, rounded to the nearest double; for every other
// x or y, and where the result leaves the range of normal doubles, the
// system's std::pow.
double Power(double x, double y);

} // namespace vesk
