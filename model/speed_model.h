// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The vesk scale: from a factor w (0 up to, never reaching, 10) to a speed.
//
// The speed follows the power law w^(E + 1/(10^5 - w^5)) with E = 10/3 held
// in single precision; above factor 9 a piecewise-linear correction taken from
// five anchor rows is added on top. Pure functions, no state.
#pragma once

#include <string_view>

namespace vesk::SpeedModel {

// The speed as a multiple of the speed of light. Defined for 0 <= w <= 9.9999;
// outside that range the result is still an IEEE value (w = 10 gives +inf,
// a negative w gives NaN) and never undefined behaviour.
double multipleOfC(double w);

// "Interpolated" for w strictly above 9, "Established" otherwise.
std::string_view method(double w);

// floor((v * 2.99792458) * 10^8): whole metres per second for a multiple of c.
double metresPerSecond(double v);

inline constexpr std::string_view kEstablished = "Established";
inline constexpr std::string_view kInterpolated = "Interpolated";

} // namespace vesk::SpeedModel
