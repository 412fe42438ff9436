// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The About window as designed: the maker's logo, the product's name and
// version, a notice and a contact line, in an engraved frame of light and dark
// lines, with one square OK button that hides it again.
#pragma once

#include "app/version.h"
#include "ui/layout.h"

#include <string>
#include <string_view>

namespace vesk::about_layout {

using namespace layout;

enum Id : std::size_t { Label1, cmdExit, Label2, Label3, Image1, kControlCount };

using language::NC_;

inline constexpr Window kWindow{"frmAbout",
                                // TRANSLATORS: the About window's title: the
                                // word the desktop uses for "About".
                                NC_("About window", "About"), Frame::CloseOnly, 4215, 3390,
                                kLightGrey, system(SystemColour::WindowText), Role::Dialog,
                                language::kAboutWindow};

// In tab order; only the button takes the focus. The title line's text is
// made from the product's name and the version (TitleLine).
inline constexpr Control kControls[kControlCount] = {
    {"Label1", Kind::Label, 1680, 1560, 1935, 255, "", none(), system(SystemColour::WindowText),
     false, Align::Right},
    {"cmdExit", Kind::Button, 480, 1200, 975, 975,
     // TRANSLATORS: the button that hides the About window, 65 x 65 px at 96
     // dpi, bold: the desktop's word. "&" comes before its access key.
     NC_("About window", "&OK"), system(SystemColour::ButtonFace), system(SystemColour::ButtonText),
     true, Align::Centre},
    {"Label2", Kind::Label, 480, 2520, 3255, 255,
     // TRANSLATORS: the copyright notice, 217 px at 96 dpi, normal weight.
     NC_("About window", "Copyright © 1997 Quarvane."), kLightGrey,
     system(SystemColour::WindowText), false, Align::Centre},
    {"Label3", Kind::Label, 480, 2760, 3255, 255,
     // TRANSLATORS: the maker's e-mail address, 217 px at 96 dpi, normal
     // weight; only the word before the address is to translate.
     NC_("About window", "Email: quarvane@example.org"), kLightGrey,
     system(SystemColour::WindowText), false, Align::Centre},
    {"Image1", Kind::Image, 480, 240, 3300, 705, "logo.bmp", none(), none(), false, Align::Left},
};

// TRANSLATORS: the product's name, followed in the About window by its
// version ("Vesk Calculator 1.1"): 129 px at 96 dpi with the version, normal
// weight, right-aligned.
inline constexpr const char* kProductName = NC_("About window", "Vesk Calculator");
static_assert(std::string_view(kProductName) == version::kProduct);

// A sunken outer frame and two raised panels.
inline constexpr Line kLines[] = {
    {"Line1", 120, 120, 4080, 120, kMidGrey},   {"Line2", 120, 3240, 120, 120, kMidGrey},
    {"Line3", 120, 3240, 4080, 3240, kWhite},   {"Line4", 4080, 120, 4080, 3240, kWhite},
    {"Line5", 240, 1080, 3960, 1080, kWhite},   {"Line6", 240, 1080, 240, 2280, kWhite},
    {"Line7", 240, 2280, 3960, 2280, kMidGrey}, {"Line8", 3960, 1080, 3960, 2280, kMidGrey},
    {"Line9", 240, 2400, 3960, 2400, kWhite},   {"Line10", 240, 3120, 3960, 3120, kMidGrey},
    {"Line11", 240, 2400, 240, 3120, kWhite},   {"Line12", 3960, 2400, 3960, 3120, kMidGrey},
};

// The product's name in the language in use, and its version as
// major.minor: 1.01 shows as 1.1.
inline std::string TitleLine()
{
    return std::string(language::Text(kWindow.texts, kProductName)) + ' ' +
           std::to_string(version::kMajor) + '.' + std::to_string(version::kMinor);
}

} // namespace vesk::about_layout
