// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Conversions between numbers and the texts the window shows and reads.
//
// All of them are pure functions of their input: they never look at the process
// locale. The decimal point is always "." and the thousands separator ",".
// Non-finite values (never produced by the program's own inputs) are written as
// "Infinity", "-Infinity" or "NaN", with the sign position where the
// conversion has one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

// Reads the longest leading number of the text (UTF-8): optional sign,
// digits, optionally "." and digits, optionally E or e with optional sign
// and digits. Blanks, tabs and line feeds are dropped wherever they stand, so
// " 1.5" is 1.5 and "9 5" is 95. Anything after the number is ignored; text
// that does not start with a number reads as 0. A number beyond the double
// range reads as plus or minus infinity, one too small for it as 0 (or its
// subnormal value).
// A number may be typed with any keyboard: every Unicode decimal digit
// (full-width "９", Arabic-Indic "٩", Devanagari "९", ...) is its digit, the
// full-width full stop and the Arabic decimal separator are points, the
// minus sign U+2212 is a minus, and the no-break spaces and the ideographic
// space are blanks. A comma ends the number, whatever the language.
double ParseNumber(std::string_view text);

// A single-precision value in its shortest form of at most seven significant
// digits, with a blank (or "-") in the sign position, no digit before the point
// below 1 and no trailing zeros: 1.5f gives " 1.5", 0.005f gives " .005",
// 0 gives " 0". Outside 1e-4 to 1e7 the form is exponential (" 1E-05").
std::string PositionText(float value);

// Decimal with a "-" for negatives and no leading blank: 0 gives "0".
std::string IntegerText(std::int16_t value);

// Shortest form of at most fifteen significant digits, no leading blank:
// 9.9999 gives "9.9999".
std::string DoubleText(double value);

// Two decimals, thousands grouped: 1516.4622 gives "1,516.46". Rounding is to
// the nearest hundredth of the double's exact value, halfway cases to even. A
// value that rounds to zero is written "0.00" without a sign.
std::string StandardText(double value);

// A whole number with thousands grouped and no sign position: 299792458 gives
// "299,792,458" and 0 gives "" (every digit place is optional). A fraction is
// rounded to the nearest whole number, halfway cases to even; every finite
// value is written in full, however long, with "-" before a negative one.
std::string GroupedText(double wholeNumber);

// The vesk scale: 0 up to, never reaching, 10.
inline constexpr double kLowestFactor = 0;
inline constexpr double kHighestFactor = 9.9999;

// A typed factor held within the scale: a text that reads below 0 becomes
// "0", one that reads above 9.9999 "9.9999"; any other text stays as typed.
std::string ClampedFactorText(std::string_view typed);

} // namespace vesk
