// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Writes the window icon's sizes as a C++ header of ready pixels (32-bit,
// premultiplied alpha), so that the program does not read and scale the
// picture at every start.
//   make_window_icon HEADER
#include "ui/qt/icon_picture.h"

#include <cstdio>

namespace {

// A window manager scales from the largest for anything bigger; a larger one
// would only add to every start what a window property carries.
constexpr int kLargestForAWindow = 128;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_window_icon HEADER\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "// Written by make_window_icon from the calculator picture.\n#pragma once\n\n"
                 "#include <cstdint>\n\nnamespace vesk::window_icon {\n\n");
    int count = 0;
    for (int side : vesk::kIconSizes) {
        if (side > kLargestForAWindow)
            continue;
        const QImage image =
            vesk::iconImage(side).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        std::fprintf(out, "inline constexpr std::uint32_t k%d[] = {", side);
        for (int y = 0; y < side; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < side; ++x)
                std::fprintf(out, "%s0x%08x,", x % 8 == 0 ? "\n    " : " ", row[x]);
        }
        std::fprintf(out, "\n};\n\n");
        ++count;
    }
    std::fprintf(out, "struct Size {\n    int side;\n    const std::uint32_t* pixels;\n};\n\n"
                      "inline constexpr Size kSizes[] = {\n");
    for (int side : vesk::kIconSizes)
        if (side <= kLargestForAWindow)
            std::fprintf(out, "    {%d, k%d},\n", side, side);
    std::fprintf(out, "};\n\n} // namespace vesk::window_icon\n");
    const bool written = std::fclose(out) == 0 && count > 0;
    if (!written)
        std::perror(argv[1]);
    return written ? 0 : 1;
}
