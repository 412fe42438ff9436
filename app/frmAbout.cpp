#include "app/frmAbout.h"

#include "app/version.h"
#include "ui/accessibility.h"
#include "ui/picture.h"
#include "ui/twips.h"
#include "ui/window_style.h"

#include <QEventLoop>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace vesk {
namespace {

using style::fixed;
using style::none;
using style::system;

constexpr int kClientWidth = 4215;
constexpr int kClientHeight = 3390;
constexpr auto kBackground = fixed(192, 192, 192);
constexpr auto kGrey = fixed(128, 128, 128);
constexpr auto kWhite = fixed(255, 255, 255);

enum class Kind { Label, Button, Image };

struct Control {
    Kind kind;
    const char* name;
    int left, top, width, height; // twips
    style::Colour background, foreground;
    bool bold;
    Qt::Alignment alignment;
    const char* text; // UTF-8; none for the title line, made from the version
};

// In tab order; only the button takes the focus.
constexpr Control kControls[] = {
    {Kind::Label, "Label1", 1680, 1560, 1935, 255, none(), system(QPalette::WindowText), false,
     Qt::AlignRight | Qt::AlignTop, nullptr},
    {Kind::Button, "cmdExit", 480, 1200, 975, 975, system(QPalette::Button),
     system(QPalette::ButtonText), true, Qt::AlignCenter, "&OK"},
    {Kind::Label, "Label2", 480, 2520, 3255, 255, kBackground, system(QPalette::WindowText), false,
     Qt::AlignHCenter | Qt::AlignTop, "Copyright \u00A9 1997 Quarvane."},
    {Kind::Label, "Label3", 480, 2760, 3255, 255, kBackground, system(QPalette::WindowText), false,
     Qt::AlignHCenter | Qt::AlignTop, "Email: quarvane@example.org"},
    {Kind::Image, "Image1", 480, 240, 3300, 705, none(), none(), false, {}, ""},
};

struct Line {
    const char* name;
    int x1, y1, x2, y2; // twips
    style::Colour colour;
};

// A sunken outer frame and two raised panels.
constexpr Line kLines[] = {
    {"Line1", 120, 120, 4080, 120, kGrey},    {"Line2", 120, 3240, 120, 120, kGrey},
    {"Line3", 120, 3240, 4080, 3240, kWhite}, {"Line4", 4080, 120, 4080, 3240, kWhite},
    {"Line5", 240, 1080, 3960, 1080, kWhite}, {"Line6", 240, 1080, 240, 2280, kWhite},
    {"Line7", 240, 2280, 3960, 2280, kGrey},  {"Line8", 3960, 1080, 3960, 2280, kGrey},
    {"Line9", 240, 2400, 3960, 2400, kWhite}, {"Line10", 240, 3120, 3960, 3120, kGrey},
    {"Line11", 240, 2400, 240, 3120, kWhite}, {"Line12", 3960, 2400, 3960, 3120, kGrey},
};

// The product's name and version as major.minor: 1.01 shows as 1.1.
QString titleLine()
{
    return QStringLiteral("%1 %2.%3")
        .arg(QLatin1String(version::kProduct))
        .arg(version::kMajor)
        .arg(version::kMinor);
}

// Read as what it is: a reader left to guess would first load and ask every
// image format plugin, which costs the program's start several milliseconds.
QImage logo()
{
    QImageReader reader(QStringLiteral(":/assets/logo.bmp"), "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QString text(const Control& c)
{
    return c.text == nullptr ? titleLine() : QString::fromUtf8(c.text);
}

} // namespace

frmAbout::frmAbout()
{
    installAccessibleRoles();
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose); // the close button destroys it; OK only hides it
    setFont(style::windowFont());
    style::applyColours(*this, kBackground, system(QPalette::WindowText));
    setFixedSize(twips::size(kClientWidth, kClientHeight));

    for (const Line& l : kLines) {
        auto* line = new QWidget(this);
        line->setObjectName(QLatin1String(l.name));
        line->setGeometry(twips::line(l.x1, l.y1, l.x2, l.y2));
        style::applyColours(*line, l.colour, none());
    }
    for (const Control& c : kControls) {
        QWidget* w = nullptr;
        switch (c.kind) {
        case Kind::Label: {
            auto* label = new QLabel(text(c), this);
            label->setAlignment(c.alignment);
            w = label;
            break;
        }
        case Kind::Button: {
            auto* button = new QPushButton(text(c), this);
            button->setAutoDefault(false); // the cancel button: Esc, not Enter
            w = button;
            break;
        }
        case Kind::Image: {
            auto* image = new Picture(this);
            image->setImage(logo());
            w = image;
            break;
        }
        }
        w->setObjectName(QLatin1String(c.name));
        w->setGeometry(twips::rect(c.left, c.top, c.width, c.height));
        style::applyColours(*w, c.background, c.foreground);
        if (!c.bold)
            w->setFont(style::windowFont(false));
    }
    cmdExit_ = findChild<QPushButton*>(QStringLiteral("cmdExit"));
    connect(cmdExit_, &QPushButton::clicked, this, &frmAbout::cmdExit_Click);
}

void frmAbout::cmdExit_Click()
{
    hide();
}

void frmAbout::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &frmAbout::hidden, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    cmdExit_->setFocus(Qt::OtherFocusReason);
    show();
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
}

void frmAbout::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdExit_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vesk
