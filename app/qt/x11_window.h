// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// What the program says to an X11 window manager itself, where the toolkit
// would say it too late or with a stale time: activating a window that may be
// unmapped (on another workspace, say), and ending a launcher's busy cursor.
#pragma once

#include <QByteArray>
#include <QWindow>

#include <optional>

namespace vesk::x11 {

// True when the program's windows are on an X11 display.
bool inUse();

// The name of the X display the toolkit opened, for the program's own short
// connections to the same display.
void useDisplay(const QByteArray& name);

// Asks the window manager to move `window` to the workspace the user is on,
// when it is on another one; an application may not switch workspaces.
void bringToCurrentWorkspace(WId window);

// Asks the window manager to activate `window`, as the application's own
// request, stamped with `time`; without one, with the X server's time now.
void activate(WId window, std::optional<quint32> time);

// Sends a startup notification message ("remove: ID=...") on behalf of
// `window` to every launcher on the display.
void sendStartupMessage(WId window, const QByteArray& message);

} // namespace vesk::x11
