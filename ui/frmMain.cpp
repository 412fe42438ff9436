// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/frmMain.h"

#include "model/number_text.h"
#include "model/speed_model.h"
#include "ui/VESKCONS.h"

#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

using namespace main_layout;

static_assert(std::string_view(kMethodWords[0]) == SpeedModel::kEstablished &&
              std::string_view(kMethodWords[1]) == SpeedModel::kInterpolated);

// The Enter key.
constexpr std::uint16_t kEnter = 13;
constexpr float kPositionToText = kPositionsPerFactor;

// Nearest whole number, a value exactly halfway going to the even one.
int roundHalfEven(double x)
{
    const double below = std::floor(x);
    const double rest = x - below;
    double result = below;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0.0))
        result += 1;
    return static_cast<int>(result);
}

} // namespace

int Stepped(int position, ScrollAction action)
{
    int to = position;
    switch (action) {
    case ScrollAction::LineLeft:
        to -= kSmallChange;
        break;
    case ScrollAction::LineRight:
        to += kSmallChange;
        break;
    case ScrollAction::PageLeft:
        to -= kLargeChange;
        break;
    case ScrollAction::PageRight:
        to += kLargeChange;
        break;
    case ScrollAction::ToLeft:
        to = kLowestPosition;
        break;
    case ScrollAction::ToRight:
        to = kHighestPosition;
        break;
    }
    return std::clamp(to, kLowestPosition, kHighestPosition);
}

void frmMain::Form_Load()
{
    if (shell_ != nullptr)
        shell_->load();
}

void frmMain::Form_Unload(std::int16_t& /*Cancel*/)
{
    if (shell_ != nullptr)
        shell_->unload();
}

void frmMain::cmdExit_Click()
{
    if (shell_ != nullptr)
        shell_->exitClicked();
}

void frmMain::cmdAbout_Click()
{
    if (shell_ != nullptr)
        shell_->aboutClicked();
}

void frmMain::txtVesk_KeyPress(std::uint16_t& KeyAscii)
{
    if (KeyAscii != kEnter)
        return;
    KeyAscii = 0;

    const std::string typed = c_.Text(txtVesk);
    if (const std::string clamped = ClampedFactorText(typed); clamped != typed)
        c_.SetText(txtVesk, clamped);

    VESKCONS::bFromText = true;
    const double x = ParseNumber(c_.Text(txtVesk)) * kPositionsPerFactor;
    SetPosition(x > kHighestPosition ? kHighestPosition : roundHalfEven(x));
    VESKCONS::bFromText = false;
    Recalculate();
}

void frmMain::hsbVesk_Change()
{
    if (!VESKCONS::bFromText)
        PositionToText();
    VESKCONS::bFromText = false;
    Recalculate();
}

void frmMain::hsbVesk_Scroll()
{
    PositionToText();
}

void frmMain::hsbVesk_Step(ScrollAction action)
{
    SetPosition(Stepped(c_.Value(hsbVesk), action));
}

void frmMain::hsbVesk_Track(int position)
{
    if (!dragFrom_)
        dragFrom_ = c_.Value(hsbVesk);
    position = std::clamp(position, kLowestPosition, kHighestPosition);
    if (position == c_.Value(hsbVesk))
        return;
    c_.SetValue(hsbVesk, position);
    hsbVesk_Scroll();
}

void frmMain::hsbVesk_Release(int position)
{
    const int from = dragFrom_.value_or(c_.Value(hsbVesk));
    dragFrom_.reset();
    hsbVesk_Track(position);
    dragFrom_.reset();
    if (c_.Value(hsbVesk) != from)
        hsbVesk_Change();
}

void frmMain::SetPosition(int position)
{
    if (c_.Value(hsbVesk) == position)
        return;
    c_.SetValue(hsbVesk, position);
    hsbVesk_Change();
}

std::string PositionShown(int position)
{
    return PositionText(static_cast<float>(position) / kPositionToText);
}

void frmMain::PositionToText()
{
    c_.SetText(txtVesk, PositionShown(c_.Value(hsbVesk)));
}

void frmMain::Recalculate()
{
    const Results r = ResultsFor(c_.Text(txtVesk));
    const std::string method = language::Text(kWindow.texts, r.method);
    c_.SetForeColor(lblMethod, r.methodColour);
    c_.SetText(lblMethod, method);
    c_.SetText(lblLight, r.multipleOfC);
    c_.SetText(lblMetres, r.metresPerSecond);
    c_.ResultsShown(ResultsSaid(r.multipleOfC, r.metresPerSecond, method));
}

std::string ResultsSaid(std::string_view light, std::string_view metres, std::string_view method)
{
    std::string said;
    for (const layout::Control& c : kControls) {
        if (!c.result)
            continue;
        const std::string_view value = &c == &kControls[lblLight]    ? light
                                       : &c == &kControls[lblMetres] ? metres
                                                                     : method;
        if (!said.empty())
            said += ", ";
        said += language::Text(kWindow.texts, c.accessibleDescription);
        said += ": ";
        said += value;
    }
    return said;
}

} // namespace vesk
