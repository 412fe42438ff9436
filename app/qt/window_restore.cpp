// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/window_restore.h"

#include "app/qt/instance_protocol.h"
#include "app/qt/x11_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

namespace vesk {
namespace {

void bringBack(QWidget& window)
{
    // raise() and activateWindow() alone leave a minimised window where it is.
    window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    window.showNormal();
    window.raise();
    window.activateWindow();
}

} // namespace

void bringBackWindow(QWidget& window, const QByteArray& launchToken)
{
    if (!launchToken.isEmpty() && QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", launchToken);
    bringBack(window);
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != &window)
        bringBack(*modal);
    else
        modal = nullptr;
    if (!x11::inUse())
        return;
    // The toolkit holds back activating a window that is not mapped, and
    // stamps its request with the last time it saw; a window manager that
    // keeps windows of other workspaces unmapped, or that judges the stamp
    // against the window just used, then brings nothing forward. A window on
    // another workspace is first brought to the user's: an application's
    // request may not switch workspaces.
    const std::optional<quint32> launched = instance::launchTime(launchToken);
    x11::bringToCurrentWorkspace(window.winId());
    if (modal != nullptr)
        x11::bringToCurrentWorkspace(modal->winId());
    x11::activate((modal != nullptr ? modal : &window)->winId(), launched);
    if (launched)
        x11::sendStartupMessage(window.winId(), instance::launchCompleteMessage(launchToken));
}

} // namespace vesk
