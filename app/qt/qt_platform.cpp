// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/qt_platform.h"

#include "app/qt/desktop_contrast.h"
#include "app/qt/instance_guard.h"
#include "app/qt/window_restore.h"
#include "ui/qt/main_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

namespace vesk {
namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtPlatform::QtPlatform(InstanceGuard& guard, std::function<void()> endProgram)
    : guard_(guard), endProgram_(std::move(endProgram))
{
    if (!endProgram_)
        endProgram_ = [] { QCoreApplication::exit(0); };
}

QtPlatform::~QtPlatform()
{
    delete about_.data();
}

bool QtPlatform::PreviousInstance()
{
    return guard_.previousInstance();
}

void QtPlatform::SetMainCaption(std::string_view caption)
{
    main_->setWindowTitle(qs(caption));
}

// The running copy searches its own windows and restores the one found.
void QtPlatform::RestoreWindow(std::string_view caption)
{
    guard_.handOver(qs(caption));
}

void QtPlatform::UnloadMain()
{
    main_->close(); // runs Form_Unload
}

void QtPlatform::followContrast(DesktopContrast& contrast)
{
    contrast_ = &contrast;
    QObject::connect(&contrast, &DesktopContrast::changed, main_, [this](layout::Contrast c) {
        main_->setContrast(c);
        if (about_)
            about_->setContrast(c);
    });
}

void QtPlatform::LoadAbout()
{
    running_ = true;
    about_ = new AboutWindow;
    if (contrast_ != nullptr && contrast_->contrast() != layout::Contrast::Designed)
        about_->setContrast(contrast_->contrast());
}

bool QtPlatform::restore(const QString& caption, const QByteArray& launchToken)
{
    if (!running_ || main_->windowTitle() != caption)
        return false;
    bringBackWindow(*main_, launchToken);
    return true;
}

// Outer corner on outer corner. The toolkit does not know the frame of a
// hidden window, so the client areas are lined up instead: the window
// manager gives both windows the same frame.
Place QtPlatform::MainPlace() const
{
    const QPoint p = main_->geometry().topLeft();
    return {p.x(), p.y()};
}

void QtPlatform::MoveAbout(Place place)
{
    about_->winId();
    if (QWindow* window = about_->windowHandle(); window != nullptr)
        window->setTransientParent(main_->windowHandle()); // kept above the main window
    // On Wayland a client cannot place its windows; the compositor puts it by
    // the main window.
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        about_->setGeometry(QRect(QPoint(place.x, place.y), about_->size()));
}

void QtPlatform::ShowAboutModal()
{
    about_->showModal();
}

void QtPlatform::End()
{
    if (about_ != nullptr)
        about_->hide();
    endProgram_();
}

} // namespace vesk
