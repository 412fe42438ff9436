// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/win32/form.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace vesk::win32 {
namespace {

DWORD frameStyle(layout::Frame frame)
{
    // A fixed frame: no sizing border and never a maximise box.
    const DWORD fixed = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    return frame == layout::Frame::MinimiseAndClose ? fixed | WS_MINIMIZEBOX : fixed;
}

DWORD frameExStyle(layout::Frame frame)
{
    // The dialog frame without a minimise box shows no icon of its own.
    return frame == layout::Frame::CloseOnly ? WS_EX_DLGMODALFRAME : 0;
}

DWORD alignStyle(layout::Align align)
{
    switch (align) {
    case layout::Align::Left:
        return SS_LEFT;
    case layout::Align::Right:
        return SS_RIGHT;
    case layout::Align::Centre:
        return SS_CENTER;
    }
    return SS_LEFT;
}

// The face Windows lets its own dialogs in, fitted to the user's language
// (to a face with Japanese characters for a Japanese user, say).
constexpr wchar_t kDialogFace[] = L"MS Shell Dlg";

HFONT makeFont(bool bold, int dpi, const std::wstring& face)
{
    const layout::Font f = layout::font(bold);
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(f.points * dpi / 72.0));
    lf.lfWeight = f.weight;
    lf.lfCharSet = face == kDialogFace ? DEFAULT_CHARSET : ANSI_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// The face the window letters in: the design's, unless it lacks a character
// of the window's texts in the language in use; then the dialogs' face.
std::wstring faceFor(std::span<const std::wstring> texts)
{
    const std::wstring designed = wide(layout::kFace);
    HDC dc = GetDC(nullptr);
    HFONT font = makeFont(true, layout::kDesignDpi, designed);
    HGDIOBJ old = SelectObject(dc, font);
    bool lacking = false;
    for (const std::wstring& text : texts) {
        std::vector<WORD> glyphs(text.size());
        if (!text.empty() &&
            GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                             GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR)
            lacking = lacking || std::find(glyphs.begin(), glyphs.end(), 0xFFFF) != glyphs.end();
    }
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return lacking ? kDialogFace : designed;
}

} // namespace

std::wstring wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    return text;
}

std::string narrow(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                        nullptr, nullptr);
    return utf8;
}

std::vector<std::string> preferredLanguages()
{
    ULONG count = 0, size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size))
        return {};
    std::wstring names(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size))
        return {};
    std::vector<std::string> languages;
    for (std::size_t at = 0; at < names.size() && names[at] != L'\0';) {
        const std::size_t end = names.find(L'\0', at);
        languages.push_back(narrow(std::wstring_view(names).substr(at, end - at)));
        at = end + 1;
    }
    return languages;
}

int systemColourIndex(layout::SystemColour colour)
{
    switch (colour) {
    case layout::SystemColour::WindowText:
        return COLOR_WINDOWTEXT;
    case layout::SystemColour::ButtonText:
        return COLOR_BTNTEXT;
    case layout::SystemColour::ButtonFace:
        return COLOR_BTNFACE;
    case layout::SystemColour::WindowBackground:
        return COLOR_WINDOW;
    }
    return COLOR_WINDOWTEXT;
}

COLORREF toColorRef(Rgb rgb)
{
    return RGB(rgb.r, rgb.g, rgb.b);
}

COLORREF toColorRef(layout::Colour colour)
{
    if (colour.type == layout::Colour::Type::System)
        return GetSysColor(systemColourIndex(colour.role));
    return toColorRef(colour.rgb);
}

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, const wchar_t* icon)
{
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    if (icon != nullptr) {
        wc.hIcon =
            static_cast<HICON>(LoadImageW(instance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), 0));
        wc.hIconSm =
            static_cast<HICON>(LoadImageW(instance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0));
    }
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

int screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : layout::kDesignDpi;
}

layout::Contrast systemContrast()
{
    HIGHCONTRASTW asked{};
    asked.cbSize = sizeof asked;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof asked, &asked, 0) &&
        (asked.dwFlags & HCF_HIGHCONTRASTON) != 0)
        return layout::Contrast::SystemColours;
    wchar_t kept[16] = {};
    DWORD size = sizeof kept;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                     RRF_RT_REG_SZ, nullptr, kept, &size) == ERROR_SUCCESS &&
        (std::wcstoul(kept, nullptr, 10) & HCF_HIGHCONTRASTON) != 0)
        return layout::Contrast::SystemColours;
    return layout::Contrast::Designed;
}

Form::~Form()
{
    for (auto& [colour, brush] : brushes_)
        DeleteObject(brush);
    if (bold_ != nullptr)
        DeleteObject(bold_);
    if (normal_ != nullptr)
        DeleteObject(normal_);
}

HWND Form::create(const layout::Window& window, std::span<const layout::Control> controls,
                  std::span<const layout::Line> lines, const wchar_t* windowClass, HWND owner,
                  void* self)
{
    dpi_ = screenDpi();
    table_ = controls;
    lines_ = lines;
    windowTable_ = &window;
    contrast_ = systemContrast();
    background_ = toColorRef(layout::ground(window, contrast_));
    const auto text = [&](const char* english) {
        return wide(language::Text(window.texts, english));
    };
    std::vector<std::wstring> texts;
    for (const layout::Control& c : controls)
        if (c.kind != layout::Kind::Image)
            texts.push_back(text(c.text));
    const std::wstring face = faceFor(texts);
    bold_ = makeFont(true, dpi_, face);
    normal_ = makeFont(false, dpi_, face);

    // The outer size that gives the client area its size exactly.
    RECT outer{0, 0, layout::toPixels(window.width, dpi_), layout::toPixels(window.height, dpi_)};
    AdjustWindowRectEx(&outer, frameStyle(window.frame), FALSE, frameExStyle(window.frame));
    window_ = CreateWindowExW(frameExStyle(window.frame), windowClass, text(window.caption).c_str(),
                              frameStyle(window.frame), CW_USEDEFAULT, CW_USEDEFAULT,
                              outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                              GetModuleHandleW(nullptr), self);
    if (window_ == nullptr)
        return nullptr;

    for (std::size_t row = 0; row < controls.size(); ++row) {
        const layout::Control& c = controls[row];
        const wchar_t* cls = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (c.kind) {
        case layout::Kind::Label:
            style |= alignStyle(c.align) | SS_NOPREFIX;
            break;
        case layout::Kind::Image:
            style |= SS_OWNERDRAW;
            break;
        case layout::Kind::TextBox:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case layout::Kind::ScrollBar:
            cls = L"SCROLLBAR";
            style |= WS_TABSTOP | SBS_HORZ;
            break;
        case layout::Kind::Button:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON; // neither default nor cancel button
            break;
        }
        const RECT r = place(window, c);
        HWND control =
            CreateWindowExW(exStyle, cls, text(c.text).c_str(), style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row))),
                            GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(c.bold ? bold_ : normal_),
                     FALSE);
        if (c.kind == layout::Kind::TextBox)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no length limit
        controls_.push_back(control);
        textColours_.push_back(toColorRef(layout::drawn(c, contrast_).text));
        given_.emplace_back();
    }
    focus_ = firstFocus();
    return window_;
}

RECT Form::place(const layout::Window& window, const layout::Control& control) const
{
    const layout::Rect r = layout::placeIn(window, control, dpi_);
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

bool takeKeys(MSG& msg)
{
    HWND top = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (top == nullptr)
        return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(top, focus) &&
            (SendMessageW(focus, WM_GETDLGCODE, 0, 0) &
             (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
            SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                         reinterpret_cast<LPARAM>(focus));
            return true;
        }
    }
    return IsDialogMessageW(top, &msg) != FALSE;
}

HWND Form::firstFocus() const
{
    for (std::size_t row = 0; row < table_.size(); ++row)
        if (layout::takesFocus(table_[row].kind))
            return controls_[row];
    return nullptr;
}

void Form::setForeColor(std::size_t row, Rgb colour)
{
    given_[row] = colour;
    textColours_[row] = toColorRef(layout::resultColour(colour, contrast_));
    InvalidateRect(controls_[row], nullptr, TRUE);
}

void Form::setContrast(layout::Contrast contrast)
{
    contrast_ = contrast;
    background_ = toColorRef(layout::ground(*windowTable_, contrast));
    for (std::size_t row = 0; row < table_.size(); ++row)
        textColours_[row] = given_[row] ? toColorRef(layout::resultColour(*given_[row], contrast))
                                        : toColorRef(layout::drawn(table_[row], contrast).text);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Form::activated(bool active)
{
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus))
            focus_ = focus;
    } else if (focus_ != nullptr) {
        SetFocus(focus_);
    }
}

HBRUSH Form::brush(COLORREF colour)
{
    for (auto& [c, b] : brushes_)
        if (c == colour)
            return b;
    HBRUSH made = CreateSolidBrush(colour);
    brushes_.emplace_back(colour, made);
    return made;
}

std::size_t Form::rowOf(HWND control) const
{
    for (std::size_t row = 0; row < controls_.size(); ++row)
        if (controls_[row] == control)
            return row;
    return controls_.size();
}

bool Form::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(window_, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush(background_));
        result = 1;
        return true;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        for (const layout::Line& l : lines_) {
            const layout::Rect p = layout::pixels(l, dpi_);
            const RECT r{p.x, p.y, p.x + p.width, p.y + p.height};
            FillRect(dc, &r, brush(toColorRef(l.colour)));
        }
        EndPaint(window_, &ps);
        result = 0;
        return true;
    }
    case WM_CTLCOLORSTATIC: {
        const std::size_t row = rowOf(reinterpret_cast<HWND>(lParam));
        if (row >= table_.size())
            return false;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, textColours_[row]);
        const layout::Colour back = layout::drawn(table_[row], contrast_).ground;
        const COLORREF ground =
            back.type == layout::Colour::Type::None ? background_ : toColorRef(back);
        if (back.type == layout::Colour::Type::None)
            SetBkMode(dc, TRANSPARENT);
        SetBkColor(dc, ground);
        result = reinterpret_cast<LRESULT>(brush(ground));
        return true;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High contrast switched, or the colours it uses changed: every
        // colour is looked up again.
        setContrast(systemContrast());
        return false;
    default:
        return false;
    }
}

} // namespace vesk::win32
