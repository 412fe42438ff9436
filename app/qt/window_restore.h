// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Bringing a window back for a later copy of the program that hands over to
// this one.
#pragma once

#include <QByteArray>

class QWidget;

namespace vesk {

// Shows the window at its normal size, out of minimised or maximised, raises
// and activates it, wherever the window manager keeps it (another workspace
// included). A modal window open over it comes back on top, since the user's
// input goes there. `launchToken` is the later copy's: on Wayland an
// activation token for the compositor; on X11 a startup id, whose launch time
// stamps the activation and whose launcher is told that the launch is done.
void bringBackWindow(QWidget& window, const QByteArray& launchToken);

} // namespace vesk
