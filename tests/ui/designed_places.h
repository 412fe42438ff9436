// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Where the design puts each control, in pixels from its window's client
// area: at 96 dots per inch (15 twips to the pixel) and at 144 (10 to the
// pixel, a part pixel dropped). Written out, not worked out from the layout
// tables, so that a front-end's test of its windows fails when a place in a
// table is wrong, as well as when the front-end puts a control elsewhere.
#pragma once

#include <cstddef>
#include <string_view>

namespace vesk::test {

struct DesignedPlace {
    const char* name;
    int x, y, width, height;
};

// The main window, in the order of its table.
inline constexpr DesignedPlace kMainAt96[] = {
    {"cmdExit", 112, 104, 65, 25}, {"hsbVesk", 24, 16, 265, 17},   {"txtVesk", 64, 48, 49, 19},
    {"Label4", 120, 80, 41, 17},   {"lblLight", 208, 48, 97, 17},  {"lblMetres", 168, 80, 137, 17},
    {"Label3", 120, 48, 81, 17},   {"lblMethod", 216, 96, 81, 17}, {"cmdAbout", 16, 104, 65, 25},
    {"Label1", 24, 48, 33, 17},
};
inline constexpr DesignedPlace kMainAt144[] = {
    {"cmdExit", 168, 156, 97, 37},  {"hsbVesk", 36, 24, 397, 25},
    {"txtVesk", 96, 72, 73, 28},    {"Label4", 180, 120, 61, 25},
    {"lblLight", 312, 72, 145, 25}, {"lblMetres", 252, 120, 205, 25},
    {"Label3", 180, 72, 121, 25},   {"lblMethod", 324, 144, 121, 25},
    {"cmdAbout", 24, 156, 97, 37},  {"Label1", 36, 72, 49, 25},
};

// The About window, in the order of its table.
inline constexpr DesignedPlace kAboutAt96[] = {
    {"Label1", 112, 104, 129, 17}, {"cmdExit", 32, 80, 65, 65}, {"Label2", 32, 168, 217, 17},
    {"Label3", 32, 184, 217, 17},  {"Image1", 32, 16, 220, 47},
};

// A control's place by its name; a name not in the table has none that fits.
template <std::size_t N>
constexpr DesignedPlace placeOf(const DesignedPlace (&places)[N], std::string_view name)
{
    for (const DesignedPlace& p : places)
        if (name == p.name)
            return p;
    return {"(none)", -1, -1, -1, -1};
}

} // namespace vesk::test
