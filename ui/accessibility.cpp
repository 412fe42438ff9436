#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace vesk {
namespace {

QAccessibleInterface* windowRoles(const QString& className, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("vesk::frmMain"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("vesk::frmAbout"))
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static const bool once = [] {
        QAccessible::installFactory(windowRoles);
        return true;
    }();
    (void)once;
}

} // namespace vesk
