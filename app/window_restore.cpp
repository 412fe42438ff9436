#include "app/window_restore.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

namespace vesk {

QWidget* findTopLevelWindow(const QString& caption)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (w->isWindow() && w->windowTitle() == caption)
            return w;
    return nullptr;
}

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

void restoreWindow(QWidget& window, const QByteArray& activationToken)
{
    if (!activationToken.isEmpty() && QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    bringBack(window);
    // Input goes to a modal window open over it, so that comes back on top,
    // even if the window manager let the user minimise it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != &window)
        bringBack(*modal);
}

} // namespace vesk
