#include "ui/frmMain.h"

#include "model/number_text.h"
#include "model/results.h"
#include "ui/VESKCONS.h"
#include "ui/accessibility.h"
#include "ui/icon.h"
#include "ui/scroll_bar.h"
#include "ui/text_box.h"
#include "ui/twips.h"
#include "ui/window_style.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>
#include <limits>
#include <string>

namespace vesk {
namespace {

using style::fixed;
using style::none;
using style::system;

enum class Kind { Label, TextBox, ScrollBar, Button };

struct Control {
    Kind kind;
    const char* name;
    int left, top, width, height; // twips
    const char* text;             // caption or text at creation
    style::Colour background, foreground;
    Qt::Alignment alignment;
};

constexpr auto kGrey = fixed(128, 128, 128);
constexpr auto kYellow = fixed(255, 255, 0);
constexpr auto kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr auto kRight = Qt::AlignRight | Qt::AlignTop;

// The main window's controls, in tab order. Buttons and the text box draw with
// the system's button face / button text and window background / window text.
constexpr Control kControls[] = {
    {Kind::Button, "cmdExit", 1680, 1560, 975, 375, "E&xit", system(QPalette::Button),
     system(QPalette::ButtonText), Qt::AlignCenter},
    {Kind::ScrollBar, "hsbVesk", 360, 240, 3975, 255, "", none(), none(), {}},
    {Kind::TextBox, "txtVesk", 960, 720, 735, 285, "0", system(QPalette::Base),
     system(QPalette::Text), kLeft},
    {Kind::Label, "Label4", 1800, 1200, 615, 255, "m/sec", kGrey, system(QPalette::WindowText),
     kLeft},
    {Kind::Label, "lblLight", 3120, 720, 1455, 255, "0", kGrey, kYellow, kLeft},
    {Kind::Label, "lblMetres", 2520, 1200, 2055, 255, "0", kGrey, kYellow, kLeft},
    {Kind::Label, "Label3", 1800, 720, 1215, 255, "Multiple of c", kGrey,
     system(QPalette::WindowText), kLeft},
    {Kind::Label, "lblMethod", 3240, 1440, 1215, 255, "", kGrey, kYellow, kRight},
    {Kind::Button, "cmdAbout", 240, 1560, 975, 375, "&About", system(QPalette::Button),
     system(QPalette::ButtonText), Qt::AlignCenter},
    {Kind::Label, "Label1", 360, 720, 495, 255, "Vesk", kGrey, system(QPalette::ButtonText), kLeft},
};

struct Line {
    const char* name;
    int x1, y1, x2, y2; // twips
};

constexpr Line kLines[] = {
    {"Line1", 240, 600, 4440, 600},
    {"Line2", 240, 1080, 4440, 1080},
};
constexpr auto kLineColour = system(QPalette::WindowText);

constexpr int kClientWidth = 4725;
constexpr int kClientHeight = 2085;
constexpr int kDesignedLeft = 2010; // client area's place on the screen
constexpr int kDesignedTop = 3450;
constexpr auto kBackground = fixed(128, 128, 128);

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

QWidget* createControl(const Control& c, QWidget* parent)
{
    const QString caption = QString::fromUtf8(c.text);
    QWidget* w = nullptr;
    switch (c.kind) {
    case Kind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(c.alignment);
        label->setMargin(0);
        label->setIndent(0);
        label->setFocusPolicy(Qt::NoFocus);
        w = label;
        break;
    }
    case Kind::TextBox: {
        auto* box = new TextBox(parent);
        box->setMaxLength(std::numeric_limits<int>::max()); // Qt's default cuts at 32767
        box->setText(caption);
        box->setAlignment(c.alignment);
        w = box;
        break;
    }
    case Kind::ScrollBar: {
        auto* bar = new ScrollBar(parent);
        bar->setRange(0, kHighestPosition);
        bar->setSingleStep(kSmallChange);
        bar->setPageStep(kLargeChange);
        bar->setValue(0);
        bar->setTracking(false); // the value changes on release; sliderMoved tracks the drag
        bar->setFocusPolicy(Qt::StrongFocus);
        w = bar;
        break;
    }
    case Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        w = button;
        break;
    }
    }
    w->setObjectName(QLatin1String(c.name));
    w->setGeometry(twips::rect(c.left, c.top, c.width, c.height));
    style::applyColours(*w, c.background, c.foreground);
    return w;
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
    installAccessibleRoles();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vesk"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    style::applyColours(*this, kBackground, none());
    setGeometry(QRect(QPoint(twips::toPixels(kDesignedLeft), twips::toPixels(kDesignedTop)),
                      twips::size(kClientWidth, kClientHeight)));
    setFixedSize(twips::size(kClientWidth, kClientHeight));
    if (build == Build::WindowOnly)
        return;
    setWindowIcon(calculatorIcon());
    setFont(style::windowFont());

    QWidget* previous = nullptr;
    for (const Control& c : kControls) {
        QWidget* w = createControl(c, this);
        if (w->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr)
                setTabOrder(previous, w);
            previous = w;
        }
    }
    for (const Line& l : kLines) {
        auto* line = new QWidget(this);
        line->setObjectName(QLatin1String(l.name));
        line->setGeometry(twips::line(l.x1, l.y1, l.x2, l.y2));
        line->setAutoFillBackground(true);
        line->setBackgroundRole(kLineColour.role);
    }

    txtVesk_ = findChild<TextBox*>(QStringLiteral("txtVesk"));
    hsbVesk_ = findChild<QScrollBar*>(QStringLiteral("hsbVesk"));
    lblLight_ = findChild<QLabel*>(QStringLiteral("lblLight"));
    lblMetres_ = findChild<QLabel*>(QStringLiteral("lblMetres"));
    lblMethod_ = findChild<QLabel*>(QStringLiteral("lblMethod"));
    cmdExit_ = findChild<QPushButton*>(QStringLiteral("cmdExit"));
    cmdAbout_ = findChild<QPushButton*>(QStringLiteral("cmdAbout"));

    txtVesk_->setAccessibleName(QStringLiteral("Vesk factor"));
    hsbVesk_->setAccessibleName(QStringLiteral("Vesk factor in thousandths"));
    makeResult(*lblLight_, "Multiple of c");
    makeResult(*lblMetres_, "Metres per second");
    makeResult(*lblMethod_, "Method");

    txtVesk_->onKeyPress([this](std::uint16_t& keyAscii) { txtVesk_KeyPress(keyAscii); });
    connect(hsbVesk_, &QScrollBar::valueChanged, this, &frmMain::hsbVesk_Change);
    connect(hsbVesk_, &QScrollBar::sliderMoved, this, &frmMain::hsbVesk_Scroll);
    connect(cmdExit_, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(cmdAbout_, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);

    // The first control in tab order has the focus when the window shows.
    cmdExit_->setFocus(Qt::OtherFocusReason);
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

    if (ParseNumber(text(*txtVesk_)) < kLowestFactor)
        txtVesk_->setText(qs(IntegerText(0)));
    if (ParseNumber(text(*txtVesk_)) > kHighestFactor)
        txtVesk_->setText(qs(DoubleText(kHighestFactor)));

    VESKCONS::bFromText = true;
    const double x = ParseNumber(text(*txtVesk_)) * kTextToPosition;
    const int position = x > kHighestPosition ? kHighestPosition : roundHalfEven(x);
    // Assigning the position it already has changes nothing and notifies no one.
    if (hsbVesk_->value() != position)
        hsbVesk_->setValue(position); // runs hsbVesk_Change inside, synchronously
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
    const float factor = static_cast<float>(hsbVesk_->sliderPosition()) / kPositionToText;
    txtVesk_->setText(qs(PositionText(factor)));
}

void frmMain::Recalculate()
{
    const Results r = ResultsFor(text(*txtVesk_));
    QPalette palette = lblMethod_->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(r.methodColour.r, r.methodColour.g, r.methodColour.b));
    lblMethod_->setPalette(palette);
    lblMethod_->setText(
        QString::fromUtf8(r.method.data(), static_cast<qsizetype>(r.method.size())));
    lblLight_->setText(qs(r.multipleOfC));
    lblMetres_->setText(qs(r.metresPerSecond));
    Q_EMIT resultsShown();
}

} // namespace vesk
