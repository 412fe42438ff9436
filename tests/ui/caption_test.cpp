// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/caption.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* caption;
    const char* before;
    const char* key;
    const char* after;
};

// The tables' own captions, and every way a mark can stand.
constexpr Row kRows[] = {
    {"E&xit", "E", "x", "it"},
    {"&About", "", "A", "bout"},
    {"&OK", "", "O", "K"},
    {"Save && Exit", "Save & Exit", "", ""},
    {"&&&Save", "&", "S", "ave"},
    {"&First &Second", "", "F", "irst Second"},
    {"End&", "End", "", ""},
    {"", "", "", ""},
    {"&\u00C9t\u00E9", "", "\u00C9", "t\u00E9"},
};

TEST(Caption, SplitsAtTheAccessKey)
{
    for (const Row& row : kRows) {
        const vesk::Caption c = vesk::SplitCaption(row.caption);
        EXPECT_EQ(c.before, row.before) << row.caption;
        EXPECT_EQ(c.key, row.key) << row.caption;
        EXPECT_EQ(c.after, row.after) << row.caption;
    }
}

} // namespace
