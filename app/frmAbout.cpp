// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/frmAbout.h"

#include "app/version.h"
#include "ui/form.h"

#include <QEventLoop>
#include <QImageReader>
#include <QKeyEvent>

namespace vesk {
namespace {

struct Controls {
    QLabel* Label1;
    QPushButton* cmdExit;
    Picture* Image1;
};
using C = Controls;
using form::untouched;
using namespace style;

constexpr Qt::WindowFlags kFrame = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
constexpr form::Window kWindow{
    "frmAbout",         "About", kFrame, 4215, 3390, kLightGrey, system(QPalette::WindowText),
    QAccessible::Dialog};

// In tab order; only the button takes the focus. The title line's text is
// made from the version.
constexpr form::Control<C> kControls[] = {
    {"Label1", &C::Label1, 1680, 1560, 1935, 255, "", none(), system(QPalette::WindowText), false,
     Qt::AlignRight | Qt::AlignTop},
    {"cmdExit", &C::cmdExit, 480, 1200, 975, 975, "&OK", system(QPalette::Button),
     system(QPalette::ButtonText), true, Qt::AlignCenter},
    {"Label2", untouched<QLabel, C>, 480, 2520, 3255, 255, "Copyright \u00A9 1997 Quarvane.",
     kLightGrey, system(QPalette::WindowText), false, Qt::AlignHCenter | Qt::AlignTop},
    {"Label3", untouched<QLabel, C>, 480, 2760, 3255, 255, "Email: quarvane@example.org",
     kLightGrey, system(QPalette::WindowText), false, Qt::AlignHCenter | Qt::AlignTop},
    {"Image1", &C::Image1, 480, 240, 3300, 705, "", none(), none(), false, {}},
};

// A sunken outer frame and two raised panels.
constexpr form::Line kLines[] = {
    {"Line1", 120, 120, 4080, 120, kMidGrey},   {"Line2", 120, 3240, 120, 120, kMidGrey},
    {"Line3", 120, 3240, 4080, 3240, kWhite},   {"Line4", 4080, 120, 4080, 3240, kWhite},
    {"Line5", 240, 1080, 3960, 1080, kWhite},   {"Line6", 240, 1080, 240, 2280, kWhite},
    {"Line7", 240, 2280, 3960, 2280, kMidGrey}, {"Line8", 3960, 1080, 3960, 2280, kMidGrey},
    {"Line9", 240, 2400, 3960, 2400, kWhite},   {"Line10", 240, 3120, 3960, 3120, kMidGrey},
    {"Line11", 240, 2400, 240, 3120, kWhite},   {"Line12", 3960, 2400, 3960, 3120, kMidGrey},
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

} // namespace

frmAbout::frmAbout()
{
    form::setUp(*this, kWindow);
    setAttribute(Qt::WA_DeleteOnClose); // the close button destroys it; OK only hides it
    const Controls c = form::build<Controls>(*this, kControls, kLines);
    c.Label1->setText(titleLine());
    c.Image1->setImage(logo());
    cmdExit_ = c.cmdExit;
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
