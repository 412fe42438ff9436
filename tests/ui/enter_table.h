// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What one Enter in the text box does, as the user sees it: the text typed,
// the text and the position after, and the three results. Shared by the tests
// of the handlers and by those of each front-end's real window.
#pragma once

#include "model/results.h"

namespace vesk::test {

inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kGreen{0, 255, 0};

struct EnterRow {
    const char* name;
    const char* typed;
    const char* after; // the text box after Enter
    int position;
    const char* method; // the three results; a null method: not checked here
    Rgb colour;
    const char* light;
    const char* metres;
};

// Recalculate reads the text box, not the scroll bar: 9.0005 sits at position
// 9000 (9000.5 goes to the even 9000), whose own text " 9" would read
// "Established".
inline constexpr EnterRow kEnterRows[] = {
    {"zero", " 0", " 0", 0, "Established", kGreen, "0.00", ""},
    {"half", " .5", " .5", 500, "Established", kGreen, "0.10", "29,742,974"},
    {"one", " 1", " 1", 1000, "Established", kGreen, "1.00", "299,792,458"},
    {"five", "5", "5", 5000, "Established", kGreen, "213.75", "64,080,792,926"},
    {"nine", " 9", " 9", 9000, "Established", kGreen, "1,516.46", "454,623,932,129"},
    {"nine_two", " 9.2", " 9.2", 9200, "Interpolated", kYellow, "1,649.75", "494,583,354,970"},
    {"nine_and_a_half", " 9.5", " 9.5", 9500, "Interpolated", kYellow, "1,842.28",
     "552,300,155,500"},
    {"top", "9.9999", "9.9999", 9999, "Interpolated", kYellow, "199,516.46", "59,813,529,670,512"},
    {"just_above_nine", "9.001", "9.001", 9001, "Interpolated", kYellow, "1,517.11",
     "454,819,335,311"},
    {"above_nine_at_its_position", "9.0005", "9.0005", 9000, "Interpolated", kYellow, "1,516.79",
     "454,721,628,256"},
    {"negative", "-3", "0", 0, "Established", kGreen, "0.00", ""},
    {"above_scale", "12", "9.9999", 9999, "Interpolated", kYellow, "199,516.46",
     "59,813,529,670,512"},
    {"letters", "abc", "abc", 0, "Established", kGreen, "0.00", ""},
    {"empty", "", "", 0, "Established", kGreen, "0.00", ""},
    {"tie_down_to_even", "1.2345", "1.2345", 1234, nullptr, {}, nullptr, nullptr},
    {"tie_up_to_even", "1.2355", "1.2355", 1236, nullptr, {}, nullptr, nullptr},
    {"tie_at_top", "9.9985", "9.9985", 9998, nullptr, {}, nullptr, nullptr},
    {"just_past_tie", "9.99851", "9.99851", 9999, nullptr, {}, nullptr, nullptr},
    {"half_thousandth", "0.0005", "0.0005", 0, nullptr, {}, nullptr, nullptr},
    {"tiny_negative", "-0.0001", "0", 0, nullptr, {}, nullptr, nullptr},
    {"ten", "10", "9.9999", 9999, nullptr, {}, nullptr, nullptr},
    {"exponent", "1e1", "9.9999", 9999, nullptr, {}, nullptr, nullptr},
    {"overflow", "1e999", "9.9999", 9999, nullptr, {}, nullptr, nullptr},
    {"negative_overflow", "-1e999", "0", 0, nullptr, {}, nullptr, nullptr},
    {"comma", "9,5", "9,5", 9000, nullptr, {}, nullptr, nullptr},
    {"blanks_inside", "1 2", "9.9999", 9999, nullptr, {}, nullptr, nullptr}, // reads as 12
    {"blank_before_point", "4 .5", "4 .5", 4500, nullptr, {}, nullptr, nullptr},
    // A number from another keyboard: what the box keeps is what the results
    // are for.
    {"full_width", "\uFF19\uFF0E\uFF15", "\uFF19\uFF0E\uFF15", 9500, "Interpolated", kYellow,
     "1,842.28", "552,300,155,500"},
    {"arabic_indic", "\u0669\u066B\u0665", "\u0669\u066B\u0665", 9500, "Interpolated", kYellow,
     "1,842.28", "552,300,155,500"},
    {"minus_sign", "\u22125", "0", 0, "Established", kGreen, "0.00", ""},
    {"no_break_space", "\u00A09.5", "\u00A09.5", 9500, "Interpolated", kYellow, "1,842.28",
     "552,300,155,500"},
};

// Enter on a focused button presses it, whether the focus came with the
// window, by a click (held and let go off the button, so that it is not
// pressed) or by Tab: the main window's Exit, or About's OK.
enum class FocusBy { Window, Click, Tab };

struct FocusedButton {
    const char* name;
    bool about;
    FocusBy by;
};

inline constexpr FocusedButton kFocusedButtons[] = {
    {"exit_as_shown", false, FocusBy::Window}, {"exit_clicked", false, FocusBy::Click},
    {"exit_tabbed", false, FocusBy::Tab},      {"ok_as_shown", true, FocusBy::Window},
    {"ok_clicked", true, FocusBy::Click},      {"ok_tabbed", true, FocusBy::Tab},
};

} // namespace vesk::test
