// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/app_shell.h"

#include "app/frmAbout.h"
#include "app/instance_guard.h"
#include "app/window_restore.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWindow>

namespace vesk {

AppShell::AppShell(InstanceGuard& guard, std::function<void()> endProgram)
    : guard_(guard), endProgram_(std::move(endProgram))
{
    if (!endProgram_)
        endProgram_ = [] { QCoreApplication::exit(0); };
}

AppShell::~AppShell()
{
    delete about_.data();
}

void AppShell::load(frmMain& form)
{
    if (guard_.previousInstance()) {
        // Renamed first, so that no search for the caption finds this copy.
        form.setWindowTitle(QLatin1String(kLeavingCaption));
        guard_.handOver(QLatin1String(kCaption));
        form.close(); // unloads the window, which ends the program
        return;
    }
    form_ = &form;
    about_ = new frmAbout;
}

bool AppShell::restore(const QString& caption, const QByteArray& launchToken)
{
    if (form_ == nullptr || form_->windowTitle() != caption)
        return false;
    bringBackWindow(*form_, launchToken);
    return true;
}

void AppShell::unload(frmMain&)
{
    end();
}

void AppShell::exitClicked(frmMain&)
{
    end();
}

void AppShell::aboutClicked(frmMain& form)
{
    if (about_.isNull())
        about_ = new frmAbout;
    about_->winId();
    if (QWindow* window = about_->windowHandle(); window != nullptr)
        window->setTransientParent(form.windowHandle()); // kept above the main window
    // Outer corner on outer corner. The toolkit does not know the frame of a
    // hidden window, so the client areas are lined up instead: the window
    // manager gives both windows the same frame. On Wayland a client cannot
    // place its windows; the compositor puts it by the main window.
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        about_->setGeometry(QRect(form.geometry().topLeft(), about_->size()));
    about_->showModal();
}

void AppShell::end()
{
    if (ended_)
        return;
    ended_ = true;
    if (about_ != nullptr)
        about_->hide();
    endProgram_();
}

} // namespace vesk
