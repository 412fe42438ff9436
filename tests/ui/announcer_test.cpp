// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// When a screen reader is told of the results: each row a user's input as
// the moments (ms) the results were shown, and the moments it hears them.
#include "tests/model/row_name.h"
#include "ui/announcer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vesk {
namespace {

using Ms = Announcer::Ms;

// A clock the test moves, and a timer that fires when the clock passes it.
struct Voice : Announcer::Voice {
    Ms now() const override { return clock; }
    void wakeAfter(Ms after) override { alarm = clock + after; }
    void say(const std::string& text) override { heard.push_back({clock, text}); }

    struct Heard {
        Ms at;
        std::string text;
        friend bool operator==(const Heard&, const Heard&) = default;
    };
    Ms clock = 0;
    std::optional<Ms> alarm;
    std::vector<Heard> heard;
};

// Runs the clock to `until`, firing the timer on the way.
void runTo(Voice& v, Announcer& a, Ms until)
{
    while (v.alarm && *v.alarm <= until) {
        v.clock = *v.alarm;
        v.alarm.reset();
        a.woken();
    }
    v.clock = until;
}

struct Row {
    const char* name;
    std::vector<Ms> shown; // each shows "r<its index>"
    Ms end;
    std::vector<Voice::Heard> heard;
};

// A held arrow or key steps every 50 ms; Enter shows the results twice at
// once when it moves the bar.
std::vector<Ms> every50(Ms from, Ms to)
{
    std::vector<Ms> at;
    for (Ms t = from; t <= to; t += 50)
        at.push_back(t);
    return at;
}

const Row kRows[] = {
    {"Enter", {1000, 1000}, 5000, {{1300, "r1"}}},
    {"EnterOnce", {1000}, 5000, {{1300, "r0"}}},
    {"TwoEntersApart", {1000, 1000, 3000, 3000}, 5000, {{1300, "r1"}, {3300, "r3"}}},
    // A drag shows the results once, on release.
    {"DragReleased", {700}, 5000, {{1000, "r0"}}},
    // Two steps quicker than settling: the second is the one told.
    {"TwoQuickSteps", {0, 200}, 5000, {{500, "r1"}}},
    // Held for 2 s: the latest each half second (the timer fires before
    // the step of the same moment), and the last half a second after the
    // one before it: five in all.
    {"HeldTwoSeconds",
     every50(0, 2000),
     5000,
     {{500, "r9"}, {1000, "r19"}, {1500, "r29"}, {2000, "r39"}, {2500, "r40"}}},
    {"HeldThenStopsBetween", every50(0, 1100), 5000, {{500, "r9"}, {1000, "r19"}, {1500, "r22"}}},
    // Enter soon after an announcement waits out the half second.
    {"EnterRightAfter", {0, 400}, 5000, {{300, "r0"}, {800, "r1"}}},
    {"Nothing", {}, 5000, {}},
};

class Announcements : public testing::TestWithParam<Row> {};

TEST_P(Announcements, HeardWhen)
{
    const Row& row = GetParam();
    Voice v;
    Announcer a(v);
    for (std::size_t i = 0; i < row.shown.size(); ++i) {
        runTo(v, a, row.shown[i]);
        a.shown("r" + std::to_string(i));
    }
    runTo(v, a, row.end);
    EXPECT_EQ(v.heard, row.heard);
    EXPECT_FALSE(a.due());
    // Never two within half a second.
    for (std::size_t i = 1; i < v.heard.size(); ++i)
        EXPECT_GE(v.heard[i].at - v.heard[i - 1].at, Announcer::kSpacing);
}

INSTANTIATE_TEST_SUITE_P(Input, Announcements, testing::ValuesIn(kRows), RowName());

// A timer that fires late (a busy page) still says the latest, once.
TEST(AnnouncerLate, TimerLateSaysTheLatestOnce)
{
    Voice v;
    Announcer a(v);
    a.shown("first");
    v.clock = 2000;
    a.shown("second");
    a.woken();
    a.woken();
    ASSERT_EQ(v.heard.size(), 1u);
    EXPECT_EQ(v.heard[0].text, "second");
}

} // namespace
} // namespace vesk
