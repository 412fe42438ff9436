// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The one request a second copy sends to the running copy, and the rules for
// naming the files the two meet at. Pure functions: no sockets, no windows.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vesk::instance {

// A request is one line of at most this many bytes, newline included.
inline constexpr qsizetype kMaxRequest = 1024;

// "Restore your top-level window with this caption", with the activation token
// (Wayland) or startup id (X11) of the second copy's launch, if it had one.
struct Request {
    QString caption;
    QByteArray token;
    friend bool operator==(const Request&, const Request&) = default;
};

// A launch's token or startup id is passed on only when it is plain
// printable ASCII without blanks, and at most this long; any other is left
// out of the request, which then still restores the window.
inline constexpr qsizetype kMaxToken = 512;
bool usableToken(const QByteArray& token);

// VESK1 <tab> RESTORE <tab> caption <tab> token or "-" <newline>
QByteArray formatRequest(const Request& request);

// The request in one received line (newline included), or nothing when the line
// is too long, unterminated, of another version or verb, or malformed.
std::optional<Request> parseRequest(const QByteArray& line);

inline constexpr char kFound[] = "FOUND\n";
inline constexpr char kNotFound[] = "NOTFOUND\n";

// The name shared by all copies of one user on one display: "vesk-" and the
// display with everything but letters, digits, '.', '-' and '_' made '_'. The
// display is the one of the windowing platform in use ("xcb", "wayland"): on
// X11 the X display as the X library reads its name (":0", ":00", ":0.1" and
// "unix:0" are one display; a display on a host, "localhost" included, stays
// apart from the local one), on Wayland the Wayland display. Elsewhere (a
// test's offscreen platform) the Wayland display, or else the X display.
QString instanceName(const QString& platform, const QString& waylandDisplay,
                     const QString& x11Display);

// The X server time a launcher stamped into a startup id ("<id>_TIME<time>"),
// or none when the id has no such stamp or its time is not a 32-bit number.
std::optional<quint32> launchTime(const QByteArray& startupId);

// The startup notification message that tells the launcher of `startupId`
// that the launch is complete, so its busy cursor ends.
QByteArray launchCompleteMessage(const QByteArray& startupId);

// Text fit for a file name: letters, digits, '.', '-' and '_' as they are,
// anything else made '_', and at most 64 characters.
QString fileNamePart(QString text);

} // namespace vesk::instance
