// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The windows' texts against their grounds: as designed, and with more
// contrast asked for, under the page's and the Linux desktop's white on
// black and under Windows' two high-contrast schemes.
#include "app/about_layout.h"
#include "ui/contrast.h"
#include "ui/main_layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>

namespace vesk::layout {
namespace {

TEST(ContrastRatio, KnownPairs)
{
    struct Row {
        Rgb a, b;
        double ratio;
    } const rows[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0},     {{255, 255, 255}, {255, 255, 255}, 1.0},
        {{255, 255, 0}, {128, 128, 128}, 3.68}, {{0, 255, 0}, {128, 128, 128}, 2.88},
        {{0, 0, 0}, {128, 128, 128}, 5.32},     {{255, 255, 0}, {0, 0, 0}, 19.56},
        {{0, 255, 0}, {0, 0, 0}, 15.3},         {{255, 255, 255}, {0, 0, 128}, 16.0},
    };
    for (const Row& r : rows) {
        EXPECT_NEAR(ContrastRatio(r.a, r.b), r.ratio, 0.01) << hex(r.a) << " on " << hex(r.b);
        EXPECT_DOUBLE_EQ(ContrastRatio(r.a, r.b), ContrastRatio(r.b, r.a));
    }
}

// A scheme: how the system's roles are coloured, and the contrast asked for.
struct Scheme {
    const char* name;
    Contrast contrast;
    std::function<Rgb(SystemColour)> role;
};

// Windows' stock high-contrast schemes, by role.
Rgb highContrastBlack(SystemColour role)
{
    switch (role) {
    case SystemColour::WindowText:
    case SystemColour::ButtonText:
        return {255, 255, 255};
    default:
        return {0, 0, 0};
    }
}
Rgb highContrastWhite(SystemColour role)
{
    const Rgb black = highContrastBlack(role);
    return {std::uint8_t(255 - black.r), std::uint8_t(255 - black.g), std::uint8_t(255 - black.b)};
}

Rgb resolved(const Colour& c, const Scheme& s, Rgb under)
{
    switch (c.type) {
    case Colour::Type::Fixed:
        return c.rgb;
    case Colour::Type::System:
        return s.role(c.role);
    case Colour::Type::None:
        break;
    }
    return under;
}

// The lowest ratio of any text of a window (a result in each colour the
// program gives it) against what it stands on, and which text it is.
std::pair<double, std::string> lowest(const Window& w, std::span<const Control> controls,
                                      const Scheme& s)
{
    std::pair<double, std::string> low{21.0, ""};
    const Rgb windowGround = resolved(ground(w, s.contrast), s, {0, 0, 0});
    for (const Control& c : controls) {
        if (c.kind == Kind::Image || c.kind == Kind::ScrollBar)
            continue;
        const Colours drawnAs = drawn(c, s.contrast);
        const Rgb back = resolved(drawnAs.ground, s, windowGround);
        std::vector<Rgb> texts = {resolved(drawnAs.text, s, back)};
        if (c.result)
            for (const Rgb given : {kInterpolatedYellow, kEstablishedGreen})
                texts.push_back(resolved(s.contrast == Contrast::Designed
                                             ? Colour{Colour::Type::Fixed, given, {}}
                                             : resultColour(given, s.contrast),
                                         s, back));
        for (const Rgb text : texts)
            if (const double r = ContrastRatio(text, back); r < low.first)
                low = {r, std::string(c.name) + " " + hex(text) + " on " + hex(back)};
    }
    return low;
}

const Scheme kAsked[] = {
    {"More", Contrast::More, moreContrast},
    {"WindowsBlack", Contrast::SystemColours, highContrastBlack},
    {"WindowsWhite", Contrast::SystemColours, highContrastWhite},
};

TEST(MoreContrast, EveryTextReachesSevenToOne)
{
    for (const Scheme& s : kAsked) {
        for (const auto& [w, controls] :
             {std::pair{main_layout::kWindow, std::span<const Control>(main_layout::kControls)},
              std::pair{about_layout::kWindow,
                        std::span<const Control>(about_layout::kControls)}}) {
            const auto [ratio, which] = lowest(w, controls, s);
            EXPECT_GE(ratio, 7.0) << s.name << " " << w.name << ": " << which;
        }
    }
}

// As designed the main window's results are below it (the reason more is
// offered): the design's own colours come through untouched.
TEST(MoreContrast, DesignedIsTheTables)
{
    const Scheme designed{"Designed", Contrast::Designed, moreContrast};
    EXPECT_NEAR(lowest(main_layout::kWindow, main_layout::kControls, designed).first, 2.88, 0.01);
    for (const Control& c : main_layout::kControls) {
        const Colours d = drawn(c, Contrast::Designed);
        EXPECT_EQ(d.ground, c.background) << c.name;
        EXPECT_EQ(d.text, c.foreground) << c.name;
    }
    EXPECT_EQ(ground(main_layout::kWindow, Contrast::Designed), kMidGrey);
    EXPECT_EQ(resultColour(kEstablishedGreen, Contrast::Designed), fixed(0, 255, 0));
}

// What each kind of control takes when more is asked for.
TEST(MoreContrast, Roles)
{
    using main_layout::kControls;
    struct Row {
        main_layout::Id id;
        Contrast contrast;
        Colour ground, text;
    } const rows[] = {
        {main_layout::Label3, Contrast::More, system(SystemColour::WindowBackground),
         system(SystemColour::WindowText)},
        {main_layout::Label1, Contrast::More, system(SystemColour::WindowBackground),
         system(SystemColour::WindowText)},
        {main_layout::lblLight, Contrast::More, system(SystemColour::WindowBackground),
         kPureYellow},
        {main_layout::lblLight, Contrast::SystemColours, system(SystemColour::WindowBackground),
         system(SystemColour::WindowText)},
        {main_layout::cmdExit, Contrast::More, system(SystemColour::ButtonFace),
         system(SystemColour::ButtonText)},
        {main_layout::txtVesk, Contrast::SystemColours, system(SystemColour::WindowBackground),
         system(SystemColour::WindowText)},
    };
    for (const Row& r : rows) {
        const Colours d = drawn(kControls[r.id], r.contrast);
        EXPECT_EQ(d.ground, r.ground) << kControls[r.id].name;
        EXPECT_EQ(d.text, r.text) << kControls[r.id].name;
    }
    EXPECT_EQ(ground(main_layout::kWindow, Contrast::More), system(SystemColour::WindowBackground));
}

} // namespace
} // namespace vesk::layout
