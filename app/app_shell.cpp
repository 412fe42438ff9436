#include "app/app_shell.h"

#include "app/frmAbout.h"
#include "app/instance_guard.h"

#include <QApplication>
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
        guard_.restoreWindow(QLatin1String(kCaption));
        form.close(); // unloads the window, which ends the program
        return;
    }
    about_ = new frmAbout;
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
    about_->move(form.pos()); // outer corners: a window's pos() includes its frame
    about_->winId();
    if (QWindow* window = about_->windowHandle(); window != nullptr)
        window->setTransientParent(form.windowHandle()); // kept above the main window
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
