// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// A caption as the windows' tables write it: "&" before a character makes it
// the access key, shown underlined, and "&&" stands for one "&". Qt and Win32
// read the mark themselves; a front-end that draws its own captions splits
// them here.
#pragma once

#include <string>
#include <string_view>

namespace vesk {

struct Caption {
    // The text around the access key, and the key itself: one character,
    // UTF-8, or empty where the caption has none.
    std::string before, key, after;
    std::string text() const { return before + key + after; }
};

// The first marked character is the key; a later mark only shows its
// character, and a lone "&" at the end is dropped.
Caption SplitCaption(std::string_view caption);

} // namespace vesk
