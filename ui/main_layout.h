// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The main window as designed: a fixed 315 x 139 window captioned "Vesk" on a
// mid-grey ground, the scroll bar across the top, the text box and the three
// results below it, two separator lines and two buttons.
#pragma once

#include "model/number_text.h"
#include "ui/layout.h"

namespace vesk::main_layout {

using namespace layout;

// The controls, in tab order; an Id is a control's row.
enum Id : std::size_t {
    cmdExit,
    hsbVesk,
    txtVesk,
    Label4,
    lblLight,
    lblMetres,
    Label3,
    lblMethod,
    cmdAbout,
    Label1,
    kControlCount
};

// Its foreground and fill colour (light grey) is never seen: nothing is drawn
// on the window itself. Its caption is the same in every language: a later
// copy finds the running one by it.
// The About button in the languages whose desktop word for it ("О программе",
// "Про програму") is longer than the button is wide: 90 pixels at 96 dots per
// inch, still clear of Exit.
inline constexpr Widened kWidened[] = {{"ru", "cmdAbout", 1350}, {"uk", "cmdAbout", 1350}};

inline constexpr Window kWindow{
    "frmMain", "Vesk",       Frame::MinimiseAndClose, 4725,    2085, kMidGrey,
    none(),    Role::Window, language::kMainWindow,   kWidened};

// Where the client area was designed to open on the screen, in twips.
inline constexpr int kDesignedLeft = 2010;
inline constexpr int kDesignedTop = 3450;

using language::NC_;

// Buttons and the text box draw in the system's button and window colours;
// every text on this window is bold. Label1 is the scale's name, as the
// caption is, in every language.
inline constexpr Control kControls[kControlCount] = {
    {"cmdExit", Kind::Button, 1680, 1560, 975, 375,
     // TRANSLATORS: the button that ends the program, 65 x 25 px at 96 dpi,
     // bold. "&" comes before its access key, a letter of its own that
     // "&About" does not take.
     NC_("main window", "E&xit"), system(SystemColour::ButtonFace),
     system(SystemColour::ButtonText), true, Align::Centre},
    {"hsbVesk", Kind::ScrollBar, 360, 240, 3975, 255, "", none(), none(), true, Align::Left,
     // TRANSLATORS: what a screen reader calls the scroll bar, whose position
     // is the vesk factor in thousandths; never shown.
     NC_("main window", "Vesk factor in thousandths"), nullptr, "txtVesk"},
    {"txtVesk", Kind::TextBox, 960, 720, 735, 285, "0", system(SystemColour::WindowBackground),
     system(SystemColour::WindowText), true, Align::Left,
     // TRANSLATORS: what a screen reader calls the box the factor is typed
     // in; never shown.
     NC_("main window", "Vesk factor")},
    {"Label4", Kind::Label, 1800, 1200, 615, 255,
     // TRANSLATORS: the unit of the speed beside it, metres per second: 41 px
     // at 96 dpi, bold.
     NC_("main window", "m/sec"), kMidGrey, system(SystemColour::WindowText), true, Align::Left},
    {"lblLight", Kind::Label, 3120, 720, 1455, 255, "0", kMidGrey, kPureYellow, true, Align::Left,
     nullptr, NC_("main window", "Multiple of c"), "Label3", kResult},
    {"lblMetres", Kind::Label, 2520, 1200, 2055, 255, "0", kMidGrey, kPureYellow, true, Align::Left,
     // TRANSLATORS: what a screen reader says the second speed is; never
     // shown.
     nullptr, NC_("main window", "Metres per second"), "Label4", kResult},
    {"Label3", Kind::Label, 1800, 720, 1215, 255,
     // TRANSLATORS: names the speed beside it, the multiple of the speed of
     // light, c: 81 px at 96 dpi, bold.
     NC_("main window", "Multiple of c"), kMidGrey, system(SystemColour::WindowText), true,
     Align::Left},
    {"lblMethod", Kind::Label, 3240, 1440, 1215, 255, "", kMidGrey, kPureYellow, true, Align::Right,
     // TRANSLATORS: what a screen reader says the method word is; never
     // shown.
     nullptr, NC_("main window", "Method"), nullptr, kResult},
    {"cmdAbout", Kind::Button, 240, 1560, 975, 375,
     // TRANSLATORS: the button that shows the About window, 65 x 25 px at 96
     // dpi, bold; the word the desktop uses for "About". "&" comes before its
     // access key, a letter of its own that "E&xit" does not take.
     NC_("main window", "&About"), system(SystemColour::ButtonFace),
     system(SystemColour::ButtonText), true, Align::Centre},
    {"Label1", Kind::Label, 360, 720, 495, 255, "Vesk", kMidGrey, system(SystemColour::ButtonText),
     true, Align::Left},
};

// The method words as the window shows them, in lblMethod: 81 px at 96 dpi,
// bold, right-aligned. (Their English is the speed model's.)
inline constexpr const char* kMethodWords[] = {
    // TRANSLATORS: the method of the figures, for factors up to 9: the power
    // law alone. 81 px at 96 dpi, bold.
    NC_("main window", "Established"),
    // TRANSLATORS: the method of the figures, for factors above 9: the power
    // law and a piecewise-linear correction between known points. 81 px at
    // 96 dpi, bold.
    NC_("main window", "Interpolated")};

inline constexpr Line kLines[] = {
    {"Line1", 240, 600, 4440, 600, system(SystemColour::WindowText)},
    {"Line2", 240, 1080, 4440, 1080, system(SystemColour::WindowText)},
};

// The scroll bar: the position is the factor in thousandths, from the lowest
// factor to the highest one's last whole thousandth (9.9999 gives 9999). An
// arrow steps one thousandth, a click in the trough a tenth.
inline constexpr int kPositionsPerFactor = 1000;
inline constexpr int kLowestPosition = static_cast<int>(kLowestFactor * kPositionsPerFactor);
inline constexpr int kHighestPosition = static_cast<int>(kHighestFactor * kPositionsPerFactor);
inline constexpr int kSmallChange = 1;
inline constexpr int kLargeChange = 100;

} // namespace vesk::main_layout
