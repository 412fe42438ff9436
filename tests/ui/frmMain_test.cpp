// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window's handlers, on controls that note every read and write: the
// Enter table, the nested change, the order of the writes, the scroll bar's
// steps and drag, and the flag lowered after every input.
#include "model/number_text.h"
#include "tests/model/row_name.h"
#include "tests/ui/enter_table.h"
#include "ui/VESKCONS.h"
#include "ui/frmMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace vesk;
using main_layout::Id;

struct FakeControls : frmMain::Controls {
    std::string Text(Id) const override { return text; }
    void SetText(Id control, std::string_view t) override
    {
        if (control == main_layout::txtVesk)
            text = t;
        else
            captions[control] = t;
        log.push_back(std::string(main_layout::kControls[control].name) + "=" + std::string(t));
    }
    int Value(Id) const override { return position; }
    void SetValue(Id, int p) override
    {
        position = p;
        log.push_back("hsbVesk=" + std::to_string(p) + (VESKCONS::bFromText ? " (from text)" : ""));
    }
    void SetForeColor(Id control, Rgb c) override
    {
        colour = c;
        log.push_back(std::string(main_layout::kControls[control].name) + " colour");
    }
    void ResultsShown(const std::string& s) override
    {
        ++shown;
        said = s;
    }

    std::string text = "0";
    int position = 0;
    std::string captions[main_layout::kControlCount] = {};
    Rgb colour{255, 255, 0};
    int shown = 0;
    std::string said;
    std::vector<std::string> log;
};

struct Handlers : testing::Test {
    void SetUp() override { VESKCONS::bFromText = false; }
    void TearDown() override { EXPECT_FALSE(VESKCONS::bFromText); }

    void enter(const std::string& typed)
    {
        c.text = typed;
        std::uint16_t key = 13;
        form.txtVesk_KeyPress(key);
        EXPECT_EQ(key, 0); // Enter never reaches the text box
    }

    FakeControls c;
    frmMain form{c};
};

struct EnterTable : Handlers, testing::WithParamInterface<test::EnterRow> {};

TEST_P(EnterTable, TextPositionAndResults)
{
    const test::EnterRow& row = GetParam();
    enter(row.typed);
    EXPECT_EQ(c.text, row.after);
    EXPECT_EQ(c.position, row.position);
    if (row.method != nullptr) {
        EXPECT_EQ(c.captions[main_layout::lblMethod], row.method);
        EXPECT_EQ(c.colour, row.colour);
        EXPECT_EQ(c.captions[main_layout::lblLight], row.light);
        EXPECT_EQ(c.captions[main_layout::lblMetres], row.metres);
    }
    // Two recalculations when the position moved (one inside the assignment).
    EXPECT_EQ(c.shown, row.position == 0 ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(Enter, EnterTable, testing::ValuesIn(test::kEnterRows), RowName());

// The change handler runs inside the assignment, leaves the typed text alone
// (the scroll bar's own text would be " 2"), and the writes of a
// recalculation come in their order: colour, word, multiple of c, metres.
TEST_F(Handlers, EnterThatMovesTheBarRunsTheChangeInside)
{
    enter("2");
    const std::vector<std::string> expected = {
        "hsbVesk=2000 (from text)", "lblMethod colour",        "lblMethod=Established",
        "lblLight=10.08",           "lblMetres=3,021,739,412", "lblMethod colour",
        "lblMethod=Established",    "lblLight=10.08",          "lblMetres=3,021,739,412",
    };
    EXPECT_EQ(c.log, expected);
    EXPECT_EQ(c.text, "2");
    // A screen reader is given the three results, each by what it means.
    EXPECT_EQ(c.said,
              "Multiple of c: 10.08, Metres per second: 3,021,739,412, Method: Established");
}

TEST_F(Handlers, EnterAtTheCurrentPositionRecalculatesOnce)
{
    c.position = 1500;
    enter(" 1.5");
    EXPECT_EQ(c.shown, 1);
    EXPECT_EQ(c.log.front(), "lblMethod colour"); // no assignment of the position
    // The next move by the user writes the position's text as usual.
    form.hsbVesk_Step(ScrollAction::LineRight);
    EXPECT_EQ(c.text, " 1.501");
}

TEST_F(Handlers, OtherKeysPassUntouched)
{
    for (std::uint16_t key : {std::uint16_t('a'), std::uint16_t('5'), std::uint16_t(27),
                              std::uint16_t(10), std::uint16_t(0xE9)}) {
        std::uint16_t code = key;
        form.txtVesk_KeyPress(code);
        EXPECT_EQ(code, key);
    }
    EXPECT_TRUE(c.log.empty());
}

struct StepRow {
    const char* name;
    int from;
    ScrollAction action;
    int to;
    const char* text;
};

struct Steps : Handlers, testing::WithParamInterface<StepRow> {};

TEST_P(Steps, MoveTheTextAndTheResults)
{
    const StepRow& row = GetParam();
    c.position = row.from;
    c.text = "typed";
    form.hsbVesk_Step(row.action);
    EXPECT_EQ(c.position, row.to);
    EXPECT_EQ(c.text, row.to == row.from ? "typed" : row.text);
    EXPECT_EQ(c.shown, row.to == row.from ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    ScrollBar, Steps,
    testing::Values(StepRow{"arrow_right", 1499, ScrollAction::LineRight, 1500, " 1.5"},
                    StepRow{"arrow_left", 6, ScrollAction::LineLeft, 5, " .005"},
                    StepRow{"trough_right", 400, ScrollAction::PageRight, 500, " .5"},
                    StepRow{"trough_left", 100, ScrollAction::PageLeft, 0, " 0"},
                    StepRow{"trough_left_stops_at_zero", 50, ScrollAction::PageLeft, 0, " 0"},
                    StepRow{"trough_right_stops_at_top", 9950, ScrollAction::PageRight, 9999,
                            " 9.999"},
                    StepRow{"to_right", 0, ScrollAction::ToRight, 9999, " 9.999"},
                    StepRow{"to_left", 9000, ScrollAction::ToLeft, 0, " 0"},
                    StepRow{"stays_at_top", 9999, ScrollAction::LineRight, 9999, ""},
                    StepRow{"stays_at_zero", 0, ScrollAction::LineLeft, 0, ""}),
    RowName());

// While the thumb is held the text follows it and the results wait; on
// release they follow, once, if the thumb ends elsewhere.
TEST_F(Handlers, DragFollowsTheTextAndTheResultsOnRelease)
{
    c.position = 1000;
    for (int p : {1100, 1250, 1400}) {
        form.hsbVesk_Track(p);
        EXPECT_EQ(c.text, PositionText(static_cast<float>(p) / 1000.0f));
    }
    EXPECT_EQ(c.shown, 0);
    form.hsbVesk_Release(1400);
    EXPECT_EQ(c.shown, 1);
    EXPECT_EQ(c.text, " 1.4");
    EXPECT_EQ(c.captions[main_layout::lblLight], ResultsFor(" 1.4").multipleOfC);
    // Dragged away and back to where it began: no change.
    form.hsbVesk_Track(2000);
    form.hsbVesk_Release(1400);
    EXPECT_EQ(c.shown, 1);
    EXPECT_EQ(c.text, " 1.4");
}

} // namespace
