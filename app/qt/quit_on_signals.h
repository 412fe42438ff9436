// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

namespace vesk {

// Turns SIGTERM, SIGINT and SIGHUP into an orderly end of the event loop, so
// that a copy told to stop by the system tidies its socket away like one that
// was closed. (Not needed for correctness: a copy that dies anyhow leaves
// nothing that can block the next.)
class QuitOnSignals : public QObject {
  public:
    QuitOnSignals();
    ~QuitOnSignals() override;

  private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vesk
