// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
#include "app/qt/instance_protocol.h"

#include <QList>

#include <QStringDecoder>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace vesk::instance {
namespace {

const QByteArray kVersion = QByteArrayLiteral("VESK1");
const QByteArray kRestore = QByteArrayLiteral("RESTORE");
const QByteArray kNoToken = QByteArrayLiteral("-");

} // namespace

bool usableToken(const QByteArray& token)
{
    if (token.isEmpty() || token.size() > kMaxToken)
        return false;
    for (char c : token)
        if (c < 0x21 || c > 0x7e)
            return false;
    return true;
}

QByteArray formatRequest(const Request& request)
{
    QByteArray line = kVersion + '\t' + kRestore + '\t' + request.caption.toUtf8() + '\t';
    line += request.token.isEmpty() ? kNoToken : request.token;
    line += '\n';
    return line;
}

std::optional<Request> parseRequest(const QByteArray& line)
{
    if (line.size() > kMaxRequest || !line.endsWith('\n'))
        return std::nullopt;
    const QByteArray body = line.chopped(1);
    if (body.contains('\n') || body.contains('\0') || body.contains('\r'))
        return std::nullopt;
    const QList<QByteArray> fields = body.split('\t');
    if (fields.size() != 4 || fields[0] != kVersion || fields[1] != kRestore)
        return std::nullopt;

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString caption = utf8.decode(fields[2]);
    if (utf8.hasError() || caption.isEmpty())
        return std::nullopt;
    const QByteArray& token = fields[3];
    if (!usableToken(token))
        return std::nullopt;
    return Request{caption, token == kNoToken ? QByteArray() : token};
}

std::optional<quint32> launchTime(const QByteArray& startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return std::nullopt;
    const QByteArray digits = startupId.mid(at + 5);
    if (digits.isEmpty() || digits.size() > 10 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const qulonglong time = digits.toULongLong();
    if (time > 0xFFFFFFFFu)
        return std::nullopt;
    return static_cast<quint32>(time);
}

QByteArray launchCompleteMessage(const QByteArray& startupId)
{
    // A value with a blank, a quote or a backslash goes in quotes, escaped.
    QByteArray value = startupId;
    if (value.contains(' ') || value.contains('"') || value.contains('\\')) {
        value.replace('\\', "\\\\").replace('"', "\\\"");
        value = '"' + value + '"';
    }
    return "remove: ID=" + value;
}

namespace {

// An X display name read as the X library reads it, [protocol/][host]:number
// [.screen], as host:number, where this machine (no host, or "unix") has no
// host; or, where the X library cannot read it, its text with a screen number
// and a local-only prefix dropped.
QString x11Name(const QString& name)
{
    const QByteArray bytes = name.toLocal8Bit();
    char* host = nullptr;
    int number = 0;
    int screen = 0;
    if (!bytes.isEmpty() && xcb_parse_display(bytes.constData(), &host, &number, &screen) != 0) {
        QString h = QString::fromLocal8Bit(host);
        std::free(host);
        if (h == QLatin1String("unix"))
            h.clear();
        return h + QLatin1Char(':') + QString::number(number);
    }
    QString display = name;
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon)
        display.truncate(dot);
    if (colon >= 0) {
        const QString h = display.left(colon);
        if (h == QLatin1String("unix") || h == QLatin1String("unix/"))
            display.remove(0, colon);
    }
    return display;
}

} // namespace

QString instanceName(const QString& platform, const QString& waylandDisplay,
                     const QString& x11Display)
{
    QString display;
    if (platform == QLatin1String("wayland"))
        display = waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : waylandDisplay;
    else if (platform == QLatin1String("xcb") || waylandDisplay.isEmpty())
        display = x11Name(x11Display);
    else
        display = waylandDisplay;
    if (display.isEmpty())
        display = QStringLiteral("none");
    return QStringLiteral("vesk-") + fileNamePart(display);
}

QString fileNamePart(QString text)
{
    for (QChar& c : text) {
        const bool keep = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                          (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                          (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                          c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('_');
        if (!keep)
            c = QLatin1Char('_');
    }
    text.truncate(64);
    return text;
}

} // namespace vesk::instance
