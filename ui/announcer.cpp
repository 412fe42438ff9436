// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/announcer.h"

#include <algorithm>
#include <utility>

namespace vesk {

void Announcer::shown(std::string said)
{
    const Ms now = voice_.now();
    if (!waiting_)
        firstChange_ = now;
    lastChange_ = now;
    waiting_ = std::move(said);
    wake();
}

std::optional<Announcer::Ms> Announcer::due() const
{
    if (!waiting_)
        return std::nullopt;
    // Settled, or stepping for half a second: whichever comes first, but
    // never within half a second of the last.
    const Ms at = std::min(lastChange_ + kSettled, firstChange_ + kSpacing);
    return lastSaid_ ? std::max(at, *lastSaid_ + kSpacing) : at;
}

void Announcer::woken()
{
    const Ms now = voice_.now();
    if (const auto at = due(); at && now >= *at) {
        const std::string said = std::move(*waiting_);
        waiting_.reset();
        lastSaid_ = now;
        voice_.say(said);
    }
    wake();
}

void Announcer::wake()
{
    if (const auto at = due())
        voice_.wakeAfter(std::max<Ms>(0, *at - voice_.now()));
}

} // namespace vesk
