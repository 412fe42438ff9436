// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Whether the desktop asks programs for more contrast: the desktop portal's
// appearance setting "contrast" (1: more; 0 or missing: no preference), read
// as the program starts and followed while it runs. The first reading is
// made off the program's thread, so that a slow or missing session bus
// never holds up the window.
#pragma once

#include "ui/contrast.h"

#include <QDBusVariant>
#include <QObject>
#include <QString>

#include <thread>

namespace vesk {

class DesktopContrast : public QObject {
    Q_OBJECT

  public:
    // Starts reading, where there is a session bus to read from.
    explicit DesktopContrast(QObject* parent = nullptr);
    ~DesktopContrast() override;

    // As last read: Designed until the portal says otherwise.
    layout::Contrast contrast() const { return contrast_; }

  Q_SIGNALS:
    // The desktop's setting, once read (whatever it is) and whenever it
    // changes.
    void changed(vesk::layout::Contrast contrast);

  private Q_SLOTS:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

  private:
    void take(const QVariant& value);

    layout::Contrast contrast_ = layout::Contrast::Designed;
    bool read_ = false;
    std::thread reader_;
};

} // namespace vesk
