// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The real vesk.exe, driven from another process as a user and an assistive
// tool would: windows found by class and caption, keys and clicks sent with
// SendInput, and what the windows show read back with WM_GETTEXT,
// GetScrollInfo and GetWindowRect.
#include "app/about_layout.h"
#include "app/application.h"
#include "app/version.h"
#include "app/win32/about_window.h"
#include "tests/model/row_name.h"
#include "tests/ui/designed_places.h"
#include "tests/ui/enter_table.h"
#include "ui/contrast.h"
#include "ui/main_layout.h"
#include "ui/win32/form.h"
#include "ui/win32/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace vesk;
using namespace std::chrono_literals;
namespace mw = main_layout;
namespace aw = about_layout;

bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::milliseconds(5000))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::string text(HWND window)
{
    wchar_t buffer[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, &length);
    return win32::narrow(std::wstring_view(buffer, length));
}

int position(HWND bar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS | SIF_RANGE;
    GetScrollInfo(bar, SB_CTL, &info);
    return info.nPos;
}

RECT windowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// A control's place in its window's client area.
RECT placeIn(HWND window, HWND control)
{
    RECT r = windowRect(control);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE clientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// A control at its designed place.
void expectAt(const RECT& got, const test::DesignedPlace& want)
{
    EXPECT_EQ(got.left, want.x) << want.name;
    EXPECT_EQ(got.top, want.y) << want.name;
    EXPECT_EQ(got.right - got.left, want.width) << want.name;
    EXPECT_EQ(got.bottom - got.top, want.height) << want.name;
}

// The window with the keyboard focus in the thread that owns `window`.
HWND focusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void send(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT keyInput(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

// A key, with Alt or Shift held if asked.
void press(WORD vk, WORD modifier = 0)
{
    std::vector<INPUT> in;
    if (modifier != 0)
        in.push_back(keyInput(modifier, false));
    in.push_back(keyInput(vk, false));
    in.push_back(keyInput(vk, true));
    if (modifier != 0)
        in.push_back(keyInput(modifier, true));
    send(in);
}

void type(const std::string& utf8)
{
    std::vector<INPUT> in;
    for (wchar_t c : win32::wide(utf8)) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wScan = c;
        down.ki.dwFlags = KEYEVENTF_UNICODE;
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        in.push_back(down);
        in.push_back(up);
    }
    if (!in.empty())
        send(in);
}

// A move of the mouse as the hardware reports it, so that a held button drags.
void mouseTo(POINT screen)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send({in});
}

void mouseButton(bool down)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    send({in});
}

void clickAt(POINT screen)
{
    mouseTo(screen);
    std::this_thread::sleep_for(50ms);
    mouseButton(true);
    mouseButton(false);
}

// The process that owns a window, to wait for its end.
HANDLE processOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return OpenProcess(SYNCHRONIZE, FALSE, process);
}

POINT centreOf(HWND window)
{
    const RECT r = windowRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The running copies this test started, ended with it.
class Copies {
  public:
    ~Copies()
    {
        for (const PROCESS_INFORMATION& p : started_) {
            TerminateProcess(p.hProcess, 1);
            WaitForSingleObject(p.hProcess, 5000);
            CloseHandle(p.hProcess);
            CloseHandle(p.hThread);
        }
    }

    PROCESS_INFORMATION start()
    {
        std::wstring command = L"\"" + win32::wide(VESK_EXE) + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &pi))
            ADD_FAILURE() << "cannot start " << VESK_EXE;
        started_.push_back(pi);
        return pi;
    }

    // Starts the first copy and waits for its window.
    HWND startFirst()
    {
        const PROCESS_INFORMATION p = start();
        HWND found = nullptr;
        eventually(
            [&] {
                found = windowOf(p.dwProcessId);
                return found != nullptr && IsWindowVisible(found);
            },
            10000ms);
        EXPECT_NE(found, nullptr) << "the first copy showed no window";
        if (found != nullptr) {
            SetForegroundWindow(found);
            eventually([&] { return GetForegroundWindow() == found; });
        }
        return found;
    }

    // Waits for a copy to end; its exit code, or -1 when it did not.
    static int exitCode(const PROCESS_INFORMATION& p,
                        std::chrono::milliseconds limit = std::chrono::milliseconds(10000))
    {
        if (WaitForSingleObject(p.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(p.hProcess, &code);
        return static_cast<int>(code);
    }

    static HWND windowOf(DWORD process)
    {
        HWND found = nullptr;
        while ((found = FindWindowExW(nullptr, found, version::kAppIdWide, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process)
                return found;
        }
        return nullptr;
    }

  private:
    std::vector<PROCESS_INFORMATION> started_;
};

// Visible main windows of the program captioned "Vesk".
int mainWindows()
{
    int n = 0;
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, version::kAppIdWide, L"Vesk")) != nullptr)
        n += IsWindowVisible(found) ? 1 : 0;
    return n;
}

HWND aboutOf(HWND main)
{
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, version::kAboutIdWide, L"About")) != nullptr)
        if (GetWindow(found, GW_OWNER) == main)
            return found;
    return nullptr;
}

struct Running : testing::Test {
    void SetUp() override
    {
        main = copies.startFirst();
        ASSERT_NE(main, nullptr);
        box = GetDlgItem(main, win32::controlId(mw::txtVesk));
        bar = GetDlgItem(main, win32::controlId(mw::hsbVesk));
    }

    HWND control(std::size_t row) const { return GetDlgItem(main, win32::controlId(row)); }

    // Replaces the text box's text by typing, then presses Enter.
    void enter(const std::string& typed)
    {
        clickAt(centreOf(box));
        ASSERT_TRUE(eventually([&] { return focusOf(main) == box; }));
        SendMessageW(box, EM_SETSEL, 0, -1);
        press(VK_DELETE);
        type(typed);
        ASSERT_TRUE(eventually([&] { return text(box) == typed; })) << text(box);
        press(VK_RETURN);
    }

    Copies copies;
    HWND main = nullptr;
    HWND box = nullptr;
    HWND bar = nullptr;
};

// The window as designed: exactly 315 x 139, every control at its place, the
// frame fixed with no maximise box, the icon of its own.
TEST_F(Running, LayoutAt96Dpi)
{
    EXPECT_EQ(text(main), "Vesk");
    const SIZE client = clientSize(main);
    EXPECT_EQ(client.cx, 315);
    EXPECT_EQ(client.cy, 139);
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    // The program's icon is the 16-colour calculator at 32 x 32. (Wine gives
    // no other process a window's icon, so it is read from the executable.)
    HMODULE exe = LoadLibraryExW(win32::wide(VESK_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    auto* icon = static_cast<HICON>(LoadImageW(exe, L"IDI_ICON1", IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> pixels(32 * 32);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(dc, info.hbmColor, 0, 32, pixels.data(), &bi, DIB_RGB_COLORS), 32);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    std::vector<COLORREF> colours;
    for (const RGBQUAD& p : pixels)
        if (std::find(colours.begin(), colours.end(), RGB(p.rgbRed, p.rgbGreen, p.rgbBlue)) ==
            colours.end())
            colours.push_back(RGB(p.rgbRed, p.rgbGreen, p.rgbBlue));
    EXPECT_LE(colours.size(), 16u);
    const RGBQUAD v = pixels[7 * 32 + 10]; // the V on the display
    EXPECT_EQ(RGB(v.rgbRed, v.rgbGreen, v.rgbBlue), RGB(255, 255, 0));
    DestroyIcon(icon);
    FreeLibrary(exe);
    for (std::size_t row = 0; row < mw::kControlCount; ++row) {
        const test::DesignedPlace want = test::kMainAt96[row];
        ASSERT_STREQ(want.name, mw::kControls[row].name);
        expectAt(placeIn(main, control(row)), want);
        if (mw::kControls[row].kind != layout::Kind::ScrollBar) {
            EXPECT_EQ(text(control(row)), mw::kControls[row].text) << mw::kControls[row].name;
        }
    }
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &range));
    EXPECT_EQ(range.nMin, 0);
    EXPECT_EQ(range.nMax, 9999);
    EXPECT_EQ(range.nPos, 0);
}

struct EnterRows : Running, testing::WithParamInterface<test::EnterRow> {};

TEST_P(EnterRows, ShowTheResults)
{
    const test::EnterRow& row = GetParam();
    enter(row.typed);
    ASSERT_TRUE(eventually([&] { return text(control(mw::lblMethod)) == row.method; }))
        << text(control(mw::lblMethod));
    EXPECT_EQ(text(box), row.after);
    EXPECT_EQ(position(bar), row.position);
    EXPECT_EQ(text(control(mw::lblLight)), row.light);
    EXPECT_EQ(text(control(mw::lblMetres)), row.metres);
}

std::vector<test::EnterRow> rowsWithResults()
{
    std::vector<test::EnterRow> rows;
    for (const test::EnterRow& r : test::kEnterRows)
        if (r.method != nullptr)
            rows.push_back(r);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Enter, EnterRows, testing::ValuesIn(rowsWithResults()), RowName());

// Keys other than Enter reach the text box and recompute nothing.
TEST_F(Running, OtherKeysReachTheTextBox)
{
    clickAt(centreOf(box));
    ASSERT_TRUE(eventually([&] { return focusOf(main) == box; }));
    press(VK_END);
    type("x5?");
    ASSERT_TRUE(eventually([&] { return text(box) == "0x5?"; })) << text(box);
    press(VK_ESCAPE);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(text(control(mw::lblLight)), "0");
    EXPECT_EQ(text(box), "0x5?");
}

// An arrow steps a thousandth, the trough a tenth; each move shows the
// position's text and the results for it.
TEST_F(Running, ArrowsAndTrough)
{
    const RECT r = windowRect(bar);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int middle = (r.top + r.bottom) / 2;
    clickAt({r.right - arrow / 2 - 1, middle});
    ASSERT_TRUE(eventually([&] { return position(bar) == 1; })) << position(bar);
    EXPECT_TRUE(eventually([&] { return text(box) == " .001"; })) << text(box);
    clickAt({r.right - arrow - 4, middle});
    ASSERT_TRUE(eventually([&] { return position(bar) == 101; })) << position(bar);
    EXPECT_TRUE(eventually([&] { return text(box) == " .101"; })) << text(box);
    clickAt({r.left + arrow / 2, middle});
    ASSERT_TRUE(eventually([&] { return position(bar) == 100; })) << position(bar);
    EXPECT_TRUE(eventually([&] { return text(control(mw::lblLight)) == "0.00"; }));
    // The keys of the focused scroll bar step the way they point.
    press(VK_RIGHT);
    EXPECT_TRUE(eventually([&] { return position(bar) == 101; })) << position(bar);
    press(VK_END);
    EXPECT_TRUE(eventually([&] { return text(box) == " 9.999"; })) << text(box);
    press(VK_HOME);
    EXPECT_TRUE(eventually([&] { return text(box) == " 0"; })) << text(box);
}

// While the thumb is dragged the text follows it; the results follow on
// release.
TEST_F(Running, DragTheThumb)
{
    // At position 0 the thumb stands just right of the left arrow.
    const RECT r = windowRect(bar);
    const POINT thumb{r.left + GetSystemMetrics(SM_CXHSCROLL) + 4, (r.top + r.bottom) / 2};
    mouseTo(thumb);
    std::this_thread::sleep_for(100ms);
    mouseButton(true);
    std::vector<std::string> texts{text(box)};
    for (int dx : {30, 60, 90}) {
        mouseTo({thumb.x + dx, thumb.y});
        ASSERT_TRUE(eventually([&] { return text(box) != texts.back(); })) << texts.back();
        texts.push_back(text(box));
        EXPECT_EQ(text(control(mw::lblLight)), "0"); // not yet
    }
    mouseButton(false);
    EXPECT_TRUE(eventually([&] { return text(control(mw::lblLight)) != "0"; }));
    EXPECT_EQ(text(box), texts.back());
    EXPECT_EQ(text(control(mw::lblLight)), ResultsFor(texts.back()).multipleOfC);
    EXPECT_GT(position(bar), 0);
}

// Tab follows the tab order, Shift+Tab goes back; Alt+A is About's key and
// Alt+X ends the program.
TEST_F(Running, TabOrderAndAccessKeys)
{
    ASSERT_TRUE(eventually([&] { return focusOf(main) == control(mw::cmdExit); }));
    for (std::size_t next : {mw::hsbVesk, mw::txtVesk, mw::cmdAbout, mw::cmdExit}) {
        press(VK_TAB);
        EXPECT_TRUE(eventually([&] { return focusOf(main) == control(next); }))
            << mw::kControls[next].name;
    }
    press(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(eventually([&] { return focusOf(main) == control(mw::cmdAbout); }));
    press('A', VK_MENU);
    HWND about = nullptr;
    ASSERT_TRUE(eventually([&] { return (about = aboutOf(main)) && IsWindowVisible(about); }));
    press(VK_ESCAPE);
    ASSERT_TRUE(eventually([&] { return !IsWindowVisible(about); }));
    ASSERT_TRUE(eventually([&] { return IsWindowEnabled(main) && GetForegroundWindow() == main; }));
    HANDLE handle = processOf(main);
    press('X', VK_MENU);
    EXPECT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
    CloseHandle(handle);
}

// Enter on a focused button: the shared rows, with keys and clicks for real.
using test::FocusBy;

struct EnterOnAButton : Running, testing::WithParamInterface<test::FocusedButton> {};

TEST_P(EnterOnAButton, PressesIt)
{
    const test::FocusedButton& row = GetParam();
    HWND window = main;
    HWND button = control(mw::cmdExit);
    if (row.about) {
        press('A', VK_MENU);
        ASSERT_TRUE(
            eventually([&] { return (window = aboutOf(main)) && IsWindowVisible(window); }));
        button = GetDlgItem(window, win32::controlId(aw::cmdExit));
    }
    if (row.by == FocusBy::Tab) {
        // From the text box round to Exit; within About, from OK to OK.
        if (!row.about)
            clickAt(centreOf(box));
        ASSERT_TRUE(eventually([&] { return focusOf(window) == (row.about ? button : box); }));
        for (int i = 0; i < (row.about ? 1 : 2); ++i)
            press(VK_TAB);
    } else if (row.by == FocusBy::Click) {
        mouseTo(centreOf(button));
        std::this_thread::sleep_for(50ms);
        mouseButton(true);
        mouseTo({windowRect(window).right + 40, windowRect(window).bottom + 40});
        mouseButton(false);
    }
    ASSERT_TRUE(eventually([&] { return focusOf(window) == button; }));
    ASSERT_TRUE(IsWindowVisible(window)); // not pressed yet
    HANDLE handle = processOf(main);
    press(VK_RETURN);
    if (row.about) {
        EXPECT_TRUE(eventually([&] { return !IsWindowVisible(window); }));
        EXPECT_TRUE(IsWindow(window)); // hidden, as by OK
    } else {
        EXPECT_EQ(WaitForSingleObject(handle, 5000), WAIT_OBJECT_0);
    }
    CloseHandle(handle);
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterOnAButton, testing::ValuesIn(test::kFocusedButtons), RowName());

// About: modal, at the main window's outer corner wherever that is, its
// layout as designed; OK hides it and keeps it, the close box destroys it and
// the next About makes it anew.
TEST_F(Running, AboutWindow)
{
    HWND cmdAbout = control(mw::cmdAbout);
    for (POINT place : {POINT{300, 200}, POINT{100, 350}}) {
        SetWindowPos(main, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(eventually([&] { return windowRect(main).left == place.x; }));
        PostMessageW(cmdAbout, BM_CLICK, 0, 0);
        HWND about = nullptr;
        ASSERT_TRUE(eventually([&] { return (about = aboutOf(main)) && IsWindowVisible(about); }));
        EXPECT_EQ(windowRect(about).left, windowRect(main).left);
        EXPECT_EQ(windowRect(about).top, windowRect(main).top);
        EXPECT_FALSE(IsWindowEnabled(main)); // modal
        const SIZE client = clientSize(about);
        EXPECT_EQ(client.cx, 281);
        EXPECT_EQ(client.cy, 226);
        HWND ok = GetDlgItem(about, win32::controlId(aw::cmdExit));
        EXPECT_TRUE(eventually([&] { return focusOf(about) == ok; }));
        EXPECT_EQ(text(ok), "&OK");
        EXPECT_EQ(text(GetDlgItem(about, win32::controlId(aw::Label1))), aw::TitleLine());
        for (std::size_t row = 0; row < aw::kControlCount; ++row) {
            ASSERT_STREQ(test::kAboutAt96[row].name, aw::kControls[row].name);
            expectAt(placeIn(about, GetDlgItem(about, win32::controlId(row))),
                     test::kAboutAt96[row]);
        }
        press(VK_SPACE);
        ASSERT_TRUE(eventually([&] { return !IsWindowVisible(about); }));
        EXPECT_TRUE(IsWindow(about)); // hidden, not destroyed
        EXPECT_TRUE(eventually([&] { return IsWindowEnabled(main); }));
        PostMessageW(cmdAbout, BM_CLICK, 0, 0);
        ASSERT_TRUE(eventually([&] { return IsWindowVisible(about); }));
        EXPECT_EQ(aboutOf(main), about);                 // the same window again
        PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); // its close box
        ASSERT_TRUE(eventually([&] { return !IsWindow(about); }));
        EXPECT_TRUE(eventually([&] { return IsWindowEnabled(main); }));
        PostMessageW(cmdAbout, BM_CLICK, 0, 0);
        HWND again = nullptr;
        ASSERT_TRUE(eventually([&] { return (again = aboutOf(main)) && IsWindowVisible(again); }));
        EXPECT_NE(again, about);
        press(VK_ESCAPE);
        ASSERT_TRUE(eventually([&] { return !IsWindowVisible(again); }));
    }
}

// A later copy ends with status 0 and shows no window, and a foreign window
// captioned "Vesk" is never the one restored.
TEST(HandOver, LeavesOneWindowAndAForeignOneAlone)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SomeOtherProgram";
    RegisterClassW(&wc);
    HWND foreign = CreateWindowW(L"SomeOtherProgram", L"Vesk", WS_OVERLAPPEDWINDOW, 10, 10, 200,
                                 100, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(foreign, SW_SHOWMINNOACTIVE);
    Copies copies;
    HWND main = copies.startFirst();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(eventually([&] { return IsIconic(main) != 0; }));
    const PROCESS_INFORMATION later = copies.start();
    EXPECT_EQ(Copies::exitCode(later), 0);
    EXPECT_EQ(Copies::windowOf(later.dwProcessId), nullptr);
    EXPECT_TRUE(eventually([&] { return !IsIconic(main); }));
    EXPECT_TRUE(IsIconic(foreign));
    EXPECT_EQ(mainWindows(), 1);
    DestroyWindow(foreign);
}

TEST(HandOver, FiveCopiesAtOnceLeaveOneWindow)
{
    Copies copies;
    std::vector<PROCESS_INFORMATION> five;
    for (int i = 0; i < 5; ++i)
        five.push_back(copies.start());
    ASSERT_TRUE(eventually([] { return mainWindows() == 1; }, 15000ms));
    int ended = 0;
    for (const PROCESS_INFORMATION& p : five)
        if (Copies::exitCode(p, 5000ms) == 0)
            ++ended;
    EXPECT_EQ(ended, 4);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(mainWindows(), 1);
}

// At 144 dots per inch (the prefix's LogPixels, set by the test's runner)
// both windows are half as large again, every control at its scaled place,
// and every text fits its control in the scaled font.
TEST(HighDpi, LayoutsScaleAndNothingIsClipped)
{
    // Measured as the program sees the screen: it declares that it draws for
    // the screen's dots per inch itself (newer Wines show an undeclared
    // process 96).
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 144) << "the runner did not set the prefix's LogPixels to 144";
    Copies copies;
    HWND main = copies.startFirst();
    ASSERT_NE(main, nullptr);
    const SIZE client = clientSize(main);
    EXPECT_EQ(client.cx, 472);
    EXPECT_EQ(client.cy, 208);
    HDC dc = GetDC(main);
    for (std::size_t row = 0; row < mw::kControlCount; ++row) {
        const layout::Control& c = mw::kControls[row];
        const test::DesignedPlace want = test::kMainAt144[row];
        ASSERT_STREQ(want.name, c.name);
        expectAt(placeIn(main, GetDlgItem(main, win32::controlId(row))), want);
        HFONT font = reinterpret_cast<HFONT>(
            SendMessageW(GetDlgItem(main, win32::controlId(row)), WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        GetObjectW(font, sizeof lf, &lf);
        HFONT same = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(dc, same);
        std::wstring caption = win32::wide(c.text);
        std::erase(caption, L'&');
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        EXPECT_LE(extent.cx, want.width) << c.name;
        EXPECT_LE(extent.cy, want.height) << c.name;
        SelectObject(dc, old);
        DeleteObject(same);
    }
    ReleaseDC(main, dc);
    PostMessageW(GetDlgItem(main, win32::controlId(mw::cmdAbout)), BM_CLICK, 0, 0);
    HWND about = nullptr;
    ASSERT_TRUE(eventually([&] { return (about = aboutOf(main)) && IsWindowVisible(about); }));
    const SIZE aboutClient = clientSize(about);
    EXPECT_EQ(aboutClient.cx, 421);
    EXPECT_EQ(aboutClient.cy, 339);
}

// A change of the colour scheme reaches the window's controls. Made in this
// process, where Wine lets a change be seen (it keeps system colours per
// process), and put back however the test ends.
TEST(ColourScheme, ControlsFollowAChange)
{
    namespace mw = main_layout;
    const int element = COLOR_WINDOWTEXT;
    const COLORREF before = GetSysColor(element);
    const COLORREF changed = before == RGB(255, 0, 0) ? RGB(0, 0, 255) : RGB(255, 0, 0);
    win32::MainWindow window(nullptr, GetModuleHandleW(nullptr), L"VeskColourSchemeTest",
                             win32::MainWindow::Build::Everything);
    const std::unique_ptr<void, std::function<void(void*)>> putBack(
        &window, [&](void*) { SetSysColors(1, &element, &before); });
    ASSERT_TRUE(SetSysColors(1, &element, &changed));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(
        window.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(GetDlgItem(window.window(), win32::controlId(mw::Label4))));
    EXPECT_EQ(GetTextColor(dc), changed) << "Label4 draws in the window text colour";
    DeleteDC(dc);
}

// Windows' high contrast, switched on and off while both windows are open.
// Wine's own switch does nothing (SPI_SETHIGHCONTRAST is not implemented,
// and SPI_GETHIGHCONTRAST always answers off), so the setting is made where
// Windows keeps it for the user, and the windows are told as Windows tells
// them; put back however the test ends.
class HighContrastKey {
  public:
    HighContrastKey()
    {
        wchar_t value[16] = {};
        DWORD size = sizeof value;
        had_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"Flags", RRF_RT_REG_SZ, nullptr, value,
                            &size) == ERROR_SUCCESS;
        before_ = value;
    }
    ~HighContrastKey()
    {
        if (had_)
            write(before_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Flags");
    }
    // "127" on, "126" off: the flags Windows writes, HCF_HIGHCONTRASTON the
    // lowest.
    static void write(const std::wstring& flags)
    {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Flags", REG_SZ, flags.c_str(),
                        static_cast<DWORD>((flags.size() + 1) * sizeof(wchar_t)));
    }
    static void turn(bool on, std::initializer_list<HWND> windows)
    {
        write(on ? L"127" : L"126");
        for (HWND w : windows)
            SendMessageW(w, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST,
                         reinterpret_cast<LPARAM>(L"WindowsThemeElement"));
        settle();
    }
    static void settle()
    {
        for (int i = 0; i < 10; ++i) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            std::this_thread::sleep_for(30ms);
        }
    }

  private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Accessibility\\HighContrast";
    bool had_ = false;
    std::wstring before_;
};

// What the screen shows of a window or control, pixel by pixel.
std::vector<COLORREF> screenshot(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(GetPixel(copy, x, y));
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A label's text against its ground on the screen: the ground its commonest
// colour, the text the one that stands out most from it.
double textContrast(HWND label)
{
    std::map<COLORREF, int> counts;
    for (COLORREF c : screenshot(label))
        ++counts[c];
    const COLORREF ground =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    const auto rgb = [](COLORREF c) { return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; };
    double most = 1;
    for (const auto& [colour, count] : counts)
        most = std::max(most, layout::ContrastRatio(rgb(ground), rgb(colour)));
    return most;
}

// Every label with a text, of a window made from `controls`.
template <class Table> std::vector<HWND> labelsOf(HWND window, const Table& controls)
{
    std::vector<HWND> labels;
    for (std::size_t row = 0; row < std::size(controls); ++row)
        if (controls[row].kind == layout::Kind::Label) {
            HWND label = GetDlgItem(window, win32::controlId(row));
            if (GetWindowTextLengthW(label) > 0)
                labels.push_back(label);
        }
    return labels;
}

TEST(HighContrast, BothWindowsFollowAChange)
{
    HighContrastKey key;
    HighContrastKey::write(L"126");
    win32::MainWindow main(nullptr, GetModuleHandleW(nullptr), L"VeskHighContrastTest",
                           win32::MainWindow::Build::Everything);
    std::uint16_t enter = 13; // every result shown, the method word in its colour
    main.handlers().txtVesk_KeyPress(enter);
    win32::AboutWindow about(GetModuleHandleW(nullptr), nullptr, [] {});
    RECT placed;
    GetWindowRect(main.window(), &placed);
    SetWindowPos(about.window(), HWND_TOPMOST, placed.left, placed.bottom + 20, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowPos(main.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    HighContrastKey::settle();
    const std::vector<COLORREF> designed = screenshot(main.window());
    HWND method = GetDlgItem(main.window(), win32::controlId(mw::lblMethod));
    const double before = textContrast(method);
    EXPECT_LT(before, 4.5) << "the method word as designed, on grey";

    HighContrastKey::turn(true, {main.window(), about.window()});
    const std::vector<HWND> mainLabels = labelsOf(main.window(), mw::kControls);
    const std::vector<HWND> aboutLabels = labelsOf(about.window(), aw::kControls);
    EXPECT_GE(mainLabels.size(), 5u);
    EXPECT_GE(aboutLabels.size(), 3u);
    double least = 21;
    for (const std::vector<HWND>* labels : {&mainLabels, &aboutLabels})
        for (HWND label : *labels) {
            const double ratio = textContrast(label);
            least = std::min(least, ratio);
            EXPECT_GE(ratio, 7.0) << text(label);
        }
    std::printf("method word %.2f:1 as designed; under high contrast every label %.2f:1 or more\n",
                before, least);

    HighContrastKey::turn(false, {main.window(), about.window()});
    EXPECT_TRUE(screenshot(main.window()) == designed) << "back as designed, pixel for pixel";
}

} // namespace
