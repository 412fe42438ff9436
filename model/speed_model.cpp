// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/speed_model.h"

#include "model/power.h"

#include <cmath>
#include <cstdint>

namespace vesk::SpeedModel {
namespace {

// 10/3 rounded to single precision (3.3333332538604736 once widened). It is not
// the double nearest 10/3: at factor 9 the difference is about 80,000 m/s.
constexpr float kExponent = 10.0f / 3.0f;
constexpr double kPole = 100000.0; // 10^5, set against w^5
constexpr double kLightMantissa = 2.99792458;
constexpr double kLightScale = 100000000.0; // 10^8
constexpr int kMethodThreshold = 9;

// One anchor row: from its bound T the offset climbs linearly from K by S over
// the width D. Rows are searched from the top, first match with w >= T wins.
struct Anchor {
    double bound;
    std::int32_t offset;
    std::int32_t rise;
    double width;
};

constexpr Anchor kAnchors[] = {
    {9.99, 5755, 190347, 0.0099}, {9.9, 969, 4786, 0.09}, {9.6, 29, 940, 0.3},
    {9.2, 18, 11, 0.4},           {9, 0, 18, 0.2},
};

} // namespace

double multipleOfC(double w)
{
    const double pole = 1.0 / (kPole - Power(w, 5.0));
    const double exponent = static_cast<double>(kExponent) + pole;
    double v = Power(w, exponent);
    for (const Anchor& a : kAnchors) {
        if (w >= a.bound) {
            // The grouping is part of the model: (v + K) + (S * (w - T)) / D.
            const double sum = v + a.offset;
            const double rise = a.rise * (w - a.bound);
            v = sum + rise / a.width;
            break;
        }
    }
    return v;
}

std::string_view method(double w)
{
    return w > kMethodThreshold ? kInterpolated : kEstablished;
}

double metresPerSecond(double v)
{
    return std::floor((v * kLightMantissa) * kLightScale);
}

} // namespace vesk::SpeedModel
