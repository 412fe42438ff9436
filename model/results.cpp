// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "model/results.h"

#include "model/number_text.h"
#include "model/speed_model.h"

namespace vesk {

Results ResultsFor(std::string_view factorText)
{
    const double w = ParseNumber(factorText);
    const double v = SpeedModel::multipleOfC(w);
    const std::string_view word = SpeedModel::method(w);
    return Results{
        word,
        word == SpeedModel::kInterpolated ? kInterpolatedYellow : kEstablishedGreen,
        StandardText(v),
        GroupedText(SpeedModel::metresPerSecond(v)),
    };
}

} // namespace vesk
