// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Exact conversions between doubles and decimal text, for a standard library
// that lacks floating-point to_chars and from_chars (the one the WebAssembly
// build links), in place of the C library's strtod and printf, whose
// long-double arithmetic weighs more than the rest of the program. Both ways
// round correctly, to the nearest and a tie to even, as those do: the number
// is held as up to 800 decimal digits and multiplied or divided by powers of
// two in them, never by a power of ten in binary.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk::decimal {

// The double nearest a number written as digits, optionally "." and digits,
// optionally "e" (or "E") with an optional sign and digits: no sign of its
// own, no blank. Nothing when the number is not zero but beyond the double's
// range, either way (what from_chars calls out of range); a value between
// the smallest normal double and zero is read as its subnormal.
std::optional<double> ToDouble(std::string_view number);

// A finite value as printf writes it with "%.*f": `decimals` digits after
// the point (none, and no point, for 0), "-" before a negative value.
std::string Fixed(double value, int decimals);

// A finite value as printf writes it with "%.*g": `precision` significant
// digits (1 for 0), trailing zeros dropped, in exponential form ("1e+07",
// "1.5e-05") when the exponent is below -4 or not below the precision.
std::string General(double value, int precision);

} // namespace vesk::decimal
