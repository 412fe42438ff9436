// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Prints, as CMake's set() lines, what the site's own files (the page, its
// manifest and its style sheet) say of the windows, from the tables that
// every front-end draws them from: the caption, the colours and the font.
#include "ui/layout.h"
#include "ui/main_layout.h"

#include <cstdio>

namespace {

using namespace vesk::layout;

void set(const char* name, const std::string& value)
{
    std::printf("set(%s \"%s\")\n", name, value.c_str());
}

} // namespace

int main()
{
    set("VESK_CAPTION", vesk::main_layout::kWindow.caption);
    set("VESK_GROUND", hex(vesk::main_layout::kWindow.background.rgb));
    set("VESK_CAPTION_BAR", hex(kActiveCaption.rgb));
    set("VESK_CAPTION_TEXT", hex(kActiveCaptionText.rgb));
    set("VESK_FACE", kFace);
    set("VESK_FONT_PIXELS", std::to_string(static_cast<int>(kPixels)));
    // Every text of the main window is bold, and the page's text with it.
    set("VESK_FONT_WEIGHT", std::to_string(font(true).weight));
}
