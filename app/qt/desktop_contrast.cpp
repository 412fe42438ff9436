// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/desktop_contrast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QMetaObject>

#include <cstdlib>

namespace vesk {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kGroup = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("contrast");

// A session bus the program can reach without starting one: named in the
// environment, or at its usual place. (Left to itself, the bus library
// would start a bus of its own for a program with none.)
bool sessionBusThere()
{
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr)
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr &&
           QFileInfo::exists(QString::fromLocal8Bit(runtime) + QStringLiteral("/bus"));
}

// The setting's value, unwrapped: ReadOne answers a variant, the older Read
// a variant in a variant.
QVariant unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

DesktopContrast::DesktopContrast(QObject* parent) : QObject(parent)
{
    if (!sessionBusThere())
        return;
    reader_ = std::thread([this] {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return;
        // Changes are delivered on the program's thread, where this object
        // lives.
        bus.connect(kService, kPath, kSettings, QStringLiteral("SettingChanged"), this,
                    SLOT(settingChanged(QString, QString, QDBusVariant)));
        for (const QString& method : {QStringLiteral("ReadOne"), QStringLiteral("Read")}) {
            QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kSettings, method);
            ask << kGroup << kKey;
            const QDBusMessage answer = bus.call(ask, QDBus::Block, 2000);
            if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()) {
                const QVariant value = unwrapped(answer.arguments().constFirst());
                QMetaObject::invokeMethod(
                    this, [this, value] { take(value); }, Qt::QueuedConnection);
                return;
            }
            // An older portal has no ReadOne; any other answer is final.
            if (answer.errorName() != QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"))
                return;
        }
    });
}

DesktopContrast::~DesktopContrast()
{
    if (reader_.joinable())
        reader_.join();
}

void DesktopContrast::settingChanged(const QString& group, const QString& key,
                                     const QDBusVariant& value)
{
    if (group == kGroup && key == kKey)
        take(unwrapped(value.variant()));
}

void DesktopContrast::take(const QVariant& value)
{
    const layout::Contrast now =
        value.toUInt() == 1 ? layout::Contrast::More : layout::Contrast::Designed;
    if (now == contrast_ && read_)
        return;
    contrast_ = now;
    read_ = true;
    Q_EMIT changed(now);
}

} // namespace vesk
