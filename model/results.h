// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What the main window shows for a factor: the method word with its colour, the
// speed as a multiple of c and in metres per second, all as finished texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The method word's colours.
inline constexpr Rgb kInterpolatedYellow{255, 255, 0};
inline constexpr Rgb kEstablishedGreen{0, 255, 0};

struct Results {
    std::string_view method;     // "Established" or "Interpolated"
    Rgb methodColour;            // green or yellow, decided like the word
    std::string multipleOfC;     // StandardText of the speed in c
    std::string metresPerSecond; // GroupedText of the whole metres per second
};

// Reads the factor from its text with ParseNumber and computes the results.
Results ResultsFor(std::string_view factorText);

} // namespace vesk
