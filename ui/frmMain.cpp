// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "ui/frmMain.h"

#include "model/number_text.h"
#include "model/results.h"
#include "ui/VESKCONS.h"
#include "ui/form.h"
#include "ui/icon.h"

#include <QCloseEvent>

#include <cmath>
#include <string>

namespace vesk {
namespace {

using C = frmMain::Controls;
using form::untouched;
using namespace style;

constexpr auto kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr auto kRight = Qt::AlignRight | Qt::AlignTop;
constexpr auto kCentre = Qt::AlignCenter;

constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
constexpr form::Window kWindow{"frmMain", "Vesk",   kFrame, 4725,
                               2085,      kMidGrey, none(), QAccessible::Window};
constexpr int kDesignedLeft = 2010; // the client area's place on the screen, in twips
constexpr int kDesignedTop = 3450;

// In tab order. Buttons and the text box draw with the system's button face /
// button text and window background / window text; all text is bold.
constexpr form::Control<C> kControls[] = {
    {"cmdExit", &C::cmdExit, 1680, 1560, 975, 375, "E&xit", system(QPalette::Button),
     system(QPalette::ButtonText), true, kCentre},
    {"hsbVesk", &C::hsbVesk, 360, 240, 3975, 255, "", none(), none(), true, {}},
    {"txtVesk", &C::txtVesk, 960, 720, 735, 285, "0", system(QPalette::Base),
     system(QPalette::Text), true, kLeft},
    {"Label4", untouched<QLabel, C>, 1800, 1200, 615, 255, "m/sec", kMidGrey,
     system(QPalette::WindowText), true, kLeft},
    {"lblLight", &C::lblLight, 3120, 720, 1455, 255, "0", kMidGrey, kPureYellow, true, kLeft},
    {"lblMetres", &C::lblMetres, 2520, 1200, 2055, 255, "0", kMidGrey, kPureYellow, true, kLeft},
    {"Label3", untouched<QLabel, C>, 1800, 720, 1215, 255, "Multiple of c", kMidGrey,
     system(QPalette::WindowText), true, kLeft},
    {"lblMethod", &C::lblMethod, 3240, 1440, 1215, 255, "", kMidGrey, kPureYellow, true, kRight},
    {"cmdAbout", &C::cmdAbout, 240, 1560, 975, 375, "&About", system(QPalette::Button),
     system(QPalette::ButtonText), true, kCentre},
    {"Label1", untouched<QLabel, C>, 360, 720, 495, 255, "Vesk", kMidGrey,
     system(QPalette::ButtonText), true, kLeft},
};

constexpr form::Line kLines[] = {
    {"Line1", 240, 600, 4440, 600, system(QPalette::WindowText)},
    {"Line2", 240, 1080, 4440, 1080, system(QPalette::WindowText)},
};

// Scroll bar: the position is the factor in thousandths. An arrow steps one
// thousandth, a click in the trough a tenth.
constexpr int kHighestPosition = 9999;
constexpr int kSmallChange = 1;
constexpr int kLargeChange = 100;

// The Enter key and the factor's bounds.
constexpr std::uint16_t kEnter = 13;
constexpr double kLowestFactor = 0;
constexpr double kHighestFactor = 9.9999;
constexpr double kTextToPosition = 1000;
constexpr float kPositionToText = 1000;

QString qs(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

std::string text(const QLineEdit& box)
{
    return box.text().toStdString();
}

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

// A result label shows its value to the mouse for selecting and copying, but
// never takes the keyboard focus.
void makeResult(QLabel& label, const char* description)
{
    label.setTextInteractionFlags(Qt::TextSelectableByMouse);
    label.setFocusPolicy(Qt::NoFocus);
    label.setContextMenuPolicy(Qt::DefaultContextMenu);
    label.setAccessibleDescription(QString::fromUtf8(description));
}

} // namespace

frmMain::frmMain(Shell* shell, Build build) : shell_(shell)
{
    form::setUp(*this, kWindow);
    setGeometry(
        QRect(QPoint(twips::toPixels(kDesignedLeft), twips::toPixels(kDesignedTop)), size()));
    if (build == Build::WindowOnly)
        return;
    setWindowIcon(calculatorIcon());
    c_ = form::build<Controls>(*this, kControls, kLines);

    c_.hsbVesk->setRange(0, kHighestPosition);
    c_.hsbVesk->setSingleStep(kSmallChange);
    c_.hsbVesk->setPageStep(kLargeChange);
    c_.hsbVesk->setTracking(false); // the value changes on release; sliderMoved tracks the drag
    c_.txtVesk->setAccessibleName(QStringLiteral("Vesk factor"));
    c_.hsbVesk->setAccessibleName(QStringLiteral("Vesk factor in thousandths"));
    makeResult(*c_.lblLight, "Multiple of c");
    makeResult(*c_.lblMetres, "Metres per second");
    makeResult(*c_.lblMethod, "Method");

    c_.txtVesk->onKeyPress([this](std::uint16_t& keyAscii) { txtVesk_KeyPress(keyAscii); });
    connect(c_.hsbVesk, &QScrollBar::valueChanged, this, &frmMain::hsbVesk_Change);
    connect(c_.hsbVesk, &QScrollBar::sliderMoved, this, &frmMain::hsbVesk_Scroll);
    connect(c_.cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(c_.cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
}

void frmMain::Form_Load()
{
    if (shell_ != nullptr)
        shell_->load(*this);
}

void frmMain::Form_Unload(std::int16_t& /*Cancel*/)
{
    if (shell_ != nullptr)
        shell_->unload(*this);
}

void frmMain::cmdExit_Click()
{
    if (shell_ != nullptr)
        shell_->exitClicked(*this);
}

void frmMain::cmdAbout_Click()
{
    if (shell_ != nullptr)
        shell_->aboutClicked(*this);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    std::int16_t cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0)
        event->ignore();
    else
        event->accept();
}

void frmMain::txtVesk_KeyPress(std::uint16_t& KeyAscii)
{
    if (KeyAscii != kEnter)
        return;
    KeyAscii = 0;

    if (ParseNumber(text(*c_.txtVesk)) < kLowestFactor)
        c_.txtVesk->setText(qs(IntegerText(0)));
    if (ParseNumber(text(*c_.txtVesk)) > kHighestFactor)
        c_.txtVesk->setText(qs(DoubleText(kHighestFactor)));

    VESKCONS::bFromText = true;
    const double x = ParseNumber(text(*c_.txtVesk)) * kTextToPosition;
    const int position = x > kHighestPosition ? kHighestPosition : roundHalfEven(x);
    // Assigning the position it already has changes nothing and notifies no one.
    if (c_.hsbVesk->value() != position)
        c_.hsbVesk->setValue(position); // runs hsbVesk_Change inside, synchronously
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

// While the thumb is dragged the slider position is ahead of the value; both
// handlers want the place the user sees.
void frmMain::PositionToText()
{
    const float factor = static_cast<float>(c_.hsbVesk->sliderPosition()) / kPositionToText;
    c_.txtVesk->setText(qs(PositionText(factor)));
}

void frmMain::Recalculate()
{
    const Results r = ResultsFor(text(*c_.txtVesk));
    QPalette palette = c_.lblMethod->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(r.methodColour.r, r.methodColour.g, r.methodColour.b));
    c_.lblMethod->setPalette(palette);
    c_.lblMethod->setText(
        QString::fromUtf8(r.method.data(), static_cast<qsizetype>(r.method.size())));
    c_.lblLight->setText(qs(r.multipleOfC));
    c_.lblMetres->setText(qs(r.metresPerSecond));
    Q_EMIT resultsShown();
}

} // namespace vesk
