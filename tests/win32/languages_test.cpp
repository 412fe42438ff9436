// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Both windows in the language Windows says the user prefers, as a run under
// Wine with LANG set to one of the shipped languages gives it (the runner
// names the language it expects in VESK_LANGUAGE): that language is the one
// chosen, every text fits its control as GDI measures it in the control's own
// font, and the figures of the shared Enter table are those of English.
#include "app/about_layout.h"
#include "app/win32/about_window.h"
#include "tests/ui/enter_table.h"
#include "ui/language.h"
#include "ui/main_layout.h"
#include "ui/win32/main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using namespace vesk;
namespace mw = main_layout;

std::string textOf(HWND control)
{
    wchar_t buffer[256] = {};
    const int length = GetWindowTextW(control, buffer, static_cast<int>(std::size(buffer)));
    return win32::narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

// Every label and button of the window whose text is wider or taller than
// the room its control draws it in.
void expectFits(HWND window)
{
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t kind[32] = {};
        GetClassNameW(c, kind, static_cast<int>(std::size(kind)));
        const bool button = std::wstring_view(kind) == L"Button";
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        if ((!button && std::wstring_view(kind) != L"Static") ||
            (style & SS_TYPEMASK) == SS_OWNERDRAW)
            continue;
        const std::wstring text = win32::wide(textOf(c));
        RECT room{};
        GetClientRect(c, &room);
        if (button) // its raised edge and the focus rectangle inside it
            InflateRect(&room, -3, -3);
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                  DT_CALCRECT | DT_SINGLELINE | (button ? 0 : DT_NOPREFIX));
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        EXPECT_LE(needed.right, room.right - room.left) << textOf(c);
        EXPECT_LE(needed.bottom, room.bottom - room.top) << textOf(c);
    }
}

TEST(Languages, ChosenByWindowsAndFitting)
{
    const char* expected = std::getenv("VESK_LANGUAGE");
    ASSERT_NE(expected, nullptr) << "the runner names the language it set in VESK_LANGUAGE";
    language::Use(language::Choose(win32::preferredLanguages()));
    ASSERT_EQ(language::InUse(), expected);

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    win32::MainWindow main(nullptr, instance, L"VeskLanguagesTest");
    const HWND window = main.window();
    EXPECT_EQ(textOf(window), "Vesk"); // in every language: a later copy finds it so
    HWND box = GetDlgItem(window, win32::controlId(mw::txtVesk));
    // Each method word shows in turn; the figures are English's.
    for (const test::EnterRow& row : test::kEnterRows) {
        if (row.method == nullptr)
            continue;
        SetWindowTextW(box, win32::wide(row.typed).c_str());
        SendMessageW(box, WM_CHAR, VK_RETURN, 0);
        EXPECT_EQ(textOf(GetDlgItem(window, win32::controlId(mw::lblLight))), row.light)
            << row.name;
        EXPECT_EQ(textOf(GetDlgItem(window, win32::controlId(mw::lblMetres))), row.metres)
            << row.name;
        EXPECT_EQ(textOf(GetDlgItem(window, win32::controlId(mw::lblMethod))),
                  language::Text(language::kMainWindow, row.method))
            << row.name;
        expectFits(window);
    }
    auto* about = new win32::AboutWindow(instance, window, [] {});
    EXPECT_EQ(textOf(about->window()),
              language::Text(language::kAboutWindow, about_layout::kWindow.caption));
    expectFits(about->window());
    DestroyWindow(about->window());
    delete about;
}

} // namespace
